#include "app/SavePicture.h"

#include "app/PictureFile.h"
#include "app/ScreenSnapshot.h"
#include "platform/afx/FileDialog.h"

void SavePicture(CWnd* board, CBitmap& savedPicture, CWnd* owner)
{
    if (!board || !board->m_hWnd)
        return;
    CopyWindowPicture(board, savedPicture);

    CFileDialog dialog(FALSE, ".bmp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "BMP图像 (*.bmp)| *.bmp||",
        nullptr);
    std::string path;
    if (dialog.DoModal() == IDOK)
        path = static_cast<const char*>(dialog.GetPathName());
    // Without a name there is nowhere to write; the copy is kept all the
    // same.
    if (path.empty())
        return;
    if (!WriteBitmapFile(savedPicture, path))
        ::MessageBox(owner ? owner->m_hWnd : nullptr, SaveFailedMessage(path).c_str(), "提示", MB_OK | MB_ICONWARNING);
}

std::string SaveFailedMessage(const std::string& path) { return "图片没有保存，无法写入文件：\n" + path; }
