// The no-camera hint: two centred lines of text.

#include "camera/NoCameraHint.h"

#include "platform/gdi/Text.h"

#include <cstring>

namespace {

constexpr char kTitle[] = "未检测到摄像头";
constexpr char kHint[] = "请连接实物展台（文档摄像头），然后在工具栏的摄像头列表中选择它。";
constexpr char kBusyTitle[] = "摄像头正被其他程序使用";
constexpr char kBusyHint[] = "请关闭使用它的程序，再在工具栏的摄像头列表中重新选择它。";
constexpr char kRefusedTitle[] = "没有权限打开摄像头";
constexpr char kRefusedHintBefore[] = "摄像头“";
constexpr char kRefusedHintAfter[] = "”已连接，但当前用户无权打开它。请让管理员把当前用户加入 video 组，再重新登录。";
constexpr int kTitleHeight = 28;
constexpr int kHintHeight = 16;
constexpr int kGap = 12;

HFONT SongFont(int height, int weight)
{
    LOGFONT lf {};
    lf.lfHeight = -height;
    lf.lfWeight = weight;
    lf.lfCharSet = GB2312_CHARSET;
    std::strncpy(lf.lfFaceName, "宋体", sizeof lf.lfFaceName - 1);
    return CreateFontIndirect(&lf);
}

// One line centred across area with its top at top.
void CentredLine(HDC dc, const RECT& area, int top, int height, const char* text)
{
    RECT line { area.left, top, area.right, top + height + 4 };
    DrawText(dc, text, static_cast<int>(std::strlen(text)), &line, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

void DrawNoCameraHint(HDC dc, const RECT& area, bool cameraBusy, const std::string& refusedCamera)
{
    if (area.right <= area.left || area.bottom <= area.top)
        return;
    HFONT title = SongFont(kTitleHeight, FW_BOLD);
    HFONT hint = SongFont(kHintHeight, FW_NORMAL);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, RGB(255, 255, 255));
    const int block = kTitleHeight + kGap + kHintHeight;
    const int top = area.top + (area.bottom - area.top - block) / 2;
    HGDIOBJ oldFont = SelectObject(dc, title);
    const bool refused = !cameraBusy && !refusedCamera.empty();
    const std::string refusedHint = refused ? kRefusedHintBefore + refusedCamera + kRefusedHintAfter : std::string();
    CentredLine(dc, area, top, kTitleHeight, cameraBusy ? kBusyTitle : refused ? kRefusedTitle : kTitle);
    SelectObject(dc, hint);
    CentredLine(dc, area, top + kTitleHeight + kGap, kHintHeight,
        cameraBusy    ? kBusyHint
            : refused ? refusedHint.c_str()
                      : kHint);
    SelectObject(dc, oldFont);
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    DeleteObject(title);
    DeleteObject(hint);
}
