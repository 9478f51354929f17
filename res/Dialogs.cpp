// The program's dialog templates. Sizes and positions are in dialog units;
// every control is a visible child. The captions of owner-drawn buttons are
// never shown (the buttons draw their images) but are kept as the program's
// code refers to them when debugging. A bitmap static control names its
// image as "#id", the way a resource name written as text names a number.

#include "res/ProgramResources.h"

#include "platform/window/ControlStyles.h"
#include "platform/window/Resources.h"

namespace res {

namespace {

constexpr DWORD kControl = WS_CHILD | WS_VISIBLE;
// Popups whose font is the fixed system dialog font.
constexpr DWORD kPanel = WS_POPUP | DS_SETFONT | DS_FIXEDSYS;
constexpr const char* kSong = "宋体";
constexpr const char* kShellDlg = "MS Shell Dlg";

// Bitmap buttons, hover buttons and the popups' push buttons all draw
// themselves.
DialogItem Button(WORD id, const char* caption, short x, short y, short cx, short cy)
{
    return DialogItem { "BUTTON", caption, id, kControl | BS_PUSHBUTTON | BS_OWNERDRAW | WS_TABSTOP, 0, x, y, cx, cy };
}

// A static control showing a bitmap, which a bitmap slider takes over.
DialogItem SliderImage(WORD id, const char* image, DWORD extra, short x, short y, short cx, short cy)
{
    return DialogItem { "STATIC", image, id, kControl | SS_BITMAP | SS_NOTIFY | extra, 0, x, y, cx, cy };
}

// Combo boxes are drawn by the system, list below the field; the list's
// order is the order the program adds its items.
DialogItem Combo(WORD id, DWORD kind, short x, short y, short cx, short cy)
{
    return DialogItem { "COMBOBOX", "", id, kControl | kind | WS_VSCROLL | WS_TABSTOP, 0, x, y, cx, cy };
}

DialogTemplate Dialog(DWORD style, DWORD exStyle, short cx, short cy, const char* face, WORD points)
{
    DialogTemplate d;
    d.style = style;
    d.exStyle = exStyle;
    d.cx = cx;
    d.cy = cy;
    d.fontFace = face;
    d.pointSize = points;
    return d;
}

// The floating tool palette of the drawing board.
DialogTemplate ToolPalette()
{
    DialogTemplate d = Dialog(WS_POPUP | WS_VISIBLE | DS_SETFONT, WS_EX_APPWINDOW, 52, 380, kSong, 9);
    d.items = {
        Button(1015, "MIN", 3, 2, 9, 9),
        Button(1000, "CLOSE", 16, 2, 19, 14),
        Button(1003, "NEW", 3, 16, 25, 14),
        Button(1001, "PEN", 4, 40, 25, 14),
        Button(1006, "LINE", 4, 60, 25, 14),
        Button(1002, "RECTANGLE", 4, 79, 25, 14),
        Button(1004, "MCIRCLE", 4, 99, 25, 14),
        Button(1005, "ECLIPSE", 4, 118, 25, 14),
        Button(1010, "RECTFILL", 4, 137, 25, 14),
        Button(1011, "MCIRCLEFILL", 4, 159, 25, 14),
        Button(1012, "ECLIPSEFILL", 4, 178, 25, 14),
        Button(1007, "ERASE", 4, 198, 25, 14),
        Button(1021, "线型", 3, 221, 30, 14),
        Button(1022, "透明", 3, 245, 30, 14),
        Button(1023, "闪烁", 3, 269, 30, 14),
        Combo(1008, CBS_DROPDOWN, 5, 295, 23, 88),
        Button(1009, "COLOR", 3, 313, 25, 14),
        Button(1013, "SAVE", 3, 334, 25, 14),
    };
    return d;
}

// The main window of camera mode; control 1012 marks where the video goes.
DialogTemplate MainWindow()
{
    DialogTemplate d = Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME
            | DS_SETFONT | DS_FIXEDSYS,
        0, 529, 318, kShellDlg, 8);
    d.caption = "Inkveil";
    d.items = {
        DialogItem { "STATIC", "", 1012, kControl | WS_TABSTOP | SS_GRAYRECT | SS_NOTIFY, 0, 57, 34, 394, 239 },
    };
    return d;
}

// The camera toolbar along the bottom of the screen.
DialogTemplate CameraToolbar()
{
    DialogTemplate d = Dialog(WS_POPUP | WS_VISIBLE | DS_SETFONT, WS_EX_APPWINDOW, 914, 81, kSong, 9);
    d.items = {
        Combo(1018, CBS_DROPDOWNLIST, 195, 41, 72, 97),
        Button(1013, "BSC", 285, 41, 30, 14),
        Button(1014, "高清", 331, 41, 30, 14),
        SliderImage(1016, "#169", 0, 370, 46, 60, 9),
        Button(1015, "高速", 433, 41, 30, 14),
        Button(1019, "缩小", 473, 41, 30, 14),
        SliderImage(1017, "#169", 0, 496, 45, 60, 9),
        Button(1020, "放大", 560, 41, 30, 14),
        Button(1021, "实大小", 591, 41, 30, 14),
        Button(1022, "适合", 615, 41, 30, 14),
        Button(1023, "逆90", 649, 41, 30, 14),
        Button(1024, "顺90", 673, 41, 30, 14),
        Button(1025, "拍照", 708, 41, 30, 14),
    };
    return d;
}

// The image adjustment panel: three sliders.
DialogTemplate AdjustmentPanel()
{
    DialogTemplate d = Dialog(kPanel, 0, 174, 108, kShellDlg, 8);
    d.items = {
        SliderImage(1014, "#165", WS_TABSTOP, 29, 19, 84, 15),
        SliderImage(1015, "#165", WS_TABSTOP, 29, 50, 92, 8),
        SliderImage(1016, "#165", WS_TABSTOP, 29, 76, 92, 8),
    };
    return d;
}

// A small popup skinned with bitmap 170, which its owner shows and sizes; it
// never takes the input.
DialogTemplate IndicatorPopup() { return Dialog(kPanel | WS_DISABLED, 0, 139, 38, kShellDlg, 8); }

// The eraser shape that follows the pointer. Without DS_SETFONT the dialog
// measures its units in the system font, which is the face it names.
DialogTemplate EraserShape() { return Dialog(WS_POPUP, 0, 48, 35, "System", 10); }

// The line type popup: free line, straight line, dashed line, arrow.
DialogTemplate LineTypePopup()
{
    DialogTemplate d = Dialog(kPanel, 0, 106, 125, kShellDlg, 8);
    d.items = {
        Button(1013, "实心", 1, 1, 50, 14),
        Button(1014, "虚线", 1, 28, 50, 14),
        Button(1015, "箭头", 1, 55, 50, 14),
        Button(1016, "用户定义", 1, 82, 50, 14),
    };
    return d;
}

// The transparency popup: a slider with OK and Cancel.
DialogTemplate TransparencyPopup()
{
    DialogTemplate d = Dialog(kPanel, 0, 220, 98, kShellDlg, 8);
    d.items = {
        Button(1022, "确定", 39, 70, 21, 14),
        Button(1023, "取消", 82, 70, 21, 14),
        SliderImage(1024, "#191", 0, 54, 28, 72, 2),
    };
    return d;
}

Name Id(UINT id) { return Name { id, {} }; }

} // namespace

void AddProgramDialogs()
{
    AddDialog(Id(102), ToolPalette());
    AddDialog(Id(103), MainWindow());
    AddDialog(Id(104), CameraToolbar());
    AddDialog(Id(105), AdjustmentPanel());
    AddDialog(Id(106), IndicatorPopup());
    AddDialog(Id(139), EraserShape());
    AddDialog(Id(179), LineTypePopup());
    AddDialog(Id(180), TransparencyPopup());
}

} // namespace res
