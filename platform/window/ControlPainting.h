#pragma once

// The flat look that every system control shares: white fields, light grey
// faces, one-pixel grey borders and a blue highlight with white text. Also
// the few steps every control takes to draw: its font, the colours its
// parent answers to WM_CTLCOLOR*, solid fills and frames with exact pixels,
// its non-client border, and notifications to its parent.

#include "platform/window/WinUser.h"

#include <string>
#include <string_view>

namespace ws::ctl {

inline constexpr COLORREF kFieldColour = RGB(255, 255, 255);
inline constexpr COLORREF kFaceColour = RGB(240, 240, 240);
inline constexpr COLORREF kBorderColour = RGB(173, 173, 173);
inline constexpr COLORREF kHighlightColour = RGB(0, 120, 215);
inline constexpr COLORREF kHighlightTextColour = RGB(255, 255, 255);
inline constexpr COLORREF kTextColour = RGB(0, 0, 0);
inline constexpr COLORREF kDisabledTextColour = RGB(109, 109, 109);
// A push button while it is held down.
inline constexpr COLORREF kPressedFaceColour = RGB(204, 228, 247);
inline constexpr COLORREF kPressedBorderColour = RGB(0, 84, 153);
// The thumb of a list's scroll bar, on a face-coloured track.
inline constexpr COLORREF kThumbColour = RGB(205, 205, 205);
// Tooltips: light yellow with a darker grey border.
inline constexpr COLORREF kTipColour = RGB(255, 255, 225);
inline constexpr COLORREF kTipBorderColour = RGB(118, 118, 118);

// The font a control draws in: the one WM_SETFONT gave it, or the default
// GUI font.
HFONT ControlFont(HWND control);

// The height of a line of text in the control's font.
int LineHeight(HWND control);

// The width of text (UTF-8, whole string) in the font selected into dc.
int TextWidth(HDC dc, std::string_view text);

// Asks whoever the control reports to (its parent, or the given window) for
// its colours with a WM_CTLCOLOR* message: the parent sets the text and
// background colours in dc and answers a brush. A parent that answers
// nothing gets the system's defaults for that message.
HBRUSH AskColours(HWND control, HDC dc, UINT ctlColorMsg, HWND askWhom = nullptr);

void FillSolid(HDC dc, const RECT& r, COLORREF colour);
// A one-pixel frame just inside r.
void FrameSolid(HDC dc, const RECT& r, COLORREF colour);
// A small solid triangle pointing down, centred in r: the drop-down arrow.
void DownArrow(HDC dc, const RECT& r, COLORREF colour);

// Paints the non-client frame that WS_BORDER or WS_EX_CLIENTEDGE leaves
// around the client area: a one-pixel border, then inner colour.
void PaintNonClientFrame(HWND control, COLORREF border, COLORREF inner);

// Sends WM_COMMAND (id, code) from the control to its parent (or to the
// given window).
void NotifyParent(HWND control, WORD code, HWND toWhom = nullptr);

// The client point of a mouse message's lParam.
POINT MousePoint(LPARAM lParam);

// Selects the control's font, a text colour and transparent background into
// a DC for the life of the object, and puts the old ones back.
class TextScope {
public:
    TextScope(HDC dc, HWND control, COLORREF colour);
    ~TextScope();
    TextScope(const TextScope&) = delete;
    TextScope& operator=(const TextScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ oldFont_;
    COLORREF oldColour_;
    int oldMode_;
};

// Copies text into a caller's buffer of max bytes (zero-terminated, cut at a
// character boundary) and answers the bytes copied.
int CopyOut(const std::string& text, char* out, std::size_t max);

} // namespace ws::ctl
