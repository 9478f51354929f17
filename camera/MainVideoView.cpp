#include "camera/MainVideoView.h"

#include "camera/VideoDlg.h"

CVideoDlg* MainVideoDlg() { return dynamic_cast<CVideoDlg*>(AfxGetMainWnd()); }

CVideoStatic* MainVideoView()
{
    CVideoDlg* main = MainVideoDlg();
    return main && main->m_video.m_hWnd ? &main->m_video : nullptr;
}
