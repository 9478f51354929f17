#include "platform/window/ColorDialog.h"

#include "platform/window/CommonDialog.h"
#include "platform/window/ControlClasses.h"
#include "platform/window/ControlPainting.h"
#include "platform/window/Dialogs.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <string>

namespace ws::dlg {

namespace {

using Swatch = ColorChooser::Swatch;
using Kind = ColorChooser::Kind;

// The layout, in pixels of the client area. The template's font is the
// system's (8 x 16 base units), so a dialog unit is two pixels each way and
// every figure here is even.
constexpr int kCell = 28; // swatch pitch, across
constexpr int kRowPitch = 24;
constexpr int kSwatchWidth = 26;
constexpr int kSwatchHeight = 22;
constexpr int kGridLeft = 8;
constexpr int kBasicTop = 26;
constexpr int kCustomTop = 194;
constexpr int kNarrowWidth = 238; // the palettes only
constexpr int kFullWidth = 516; // with the custom colour area
constexpr int kClientHeight = 316;
constexpr RECT kPreview = ColorPicture::kPreview;
constexpr WORD kStaticId = 0xFFFF;

// The procedure the swatches had before the dialog put its own in front:
// the same for every swatch, as they are all buttons watched alike.
WNDPROC g_swatchOriginal = nullptr;

struct FieldSpec {
    int id;
    const char* label;
    int x, y; // of the label
    int labelWidth;
};
constexpr FieldSpec kFields[] = {
    { kColorHueId, "色调(&E):", 336, 196, 52 },
    { kColorSatId, "饱和度(&S):", 336, 222, 52 },
    { kColorLumId, "亮度(&L):", 336, 248, 52 },
    { kColorRedId, "红(&R):", 438, 196, 28 },
    { kColorGreenId, "绿(&G):", 438, 222, 28 },
    { kColorBlueId, "蓝(&U):", 438, 248, 28 },
};
constexpr int kFieldWidth = 40;
constexpr int kFieldHeight = 22;

bool IsRgbField(int id) { return id >= kColorRedId && id <= kColorBlueId; }
bool IsField(int id) { return id >= kColorHueId && id <= kColorBlueId; }

res::DialogItem Item(const char* cls, const char* text, int id, DWORD style, int x, int y, int w, int h)
{
    return CommonDialog::Item(cls, text, id, style, RECT { x, y, x + w, y + h });
}

void AddSwatches(res::DialogTemplate& t, int firstId, int count, int top)
{
    for (int i = 0; i < count; ++i) {
        DWORD style = BS_OWNERDRAW | (i == 0 ? WS_GROUP | WS_TABSTOP : 0);
        t.items.push_back(Item(WC_BUTTON, "", firstId + i, style, kGridLeft + (i % ColorChooser::kColumns) * kCell,
            top + (i / ColorChooser::kColumns) * kRowPitch, kSwatchWidth, kSwatchHeight));
    }
}

res::DialogTemplate MakeTemplate()
{
    res::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.exStyle = WS_EX_DLGMODALFRAME;
    t.caption = "颜色";
    t.cx = kFullWidth / 2;
    t.cy = kClientHeight / 2;
    t.items.push_back(Item(WC_STATIC, "基本颜色(&B):", kStaticId, SS_LEFT, kGridLeft, 8, 222, 16));
    AddSwatches(t, kFirstBasicId, ColorChooser::kBasicCount, kBasicTop);
    t.items.push_back(Item(WC_STATIC, "自定义颜色(&C):", kStaticId, SS_LEFT, kGridLeft, 176, 222, 16));
    AddSwatches(t, kFirstCustomId, ColorChooser::kCustomCount, kCustomTop);
    t.items.push_back(
        Item(WC_BUTTON, "规定自定义颜色(&D) >>", kColorMixId, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 8, 250, 222, 24));
    t.items.push_back(Item(WC_BUTTON, "确定", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 8, 284, 106, 24));
    t.items.push_back(Item(WC_BUTTON, "取消", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 124, 284, 106, 24));
    for (const FieldSpec& f : kFields) {
        t.items.push_back(Item(WC_STATIC, f.label, kStaticId, SS_RIGHT, f.x, f.y + 4, f.labelWidth, 16));
        t.items.push_back(Item(WC_EDIT, "", f.id, WS_BORDER | WS_TABSTOP | WS_GROUP | ES_NUMBER | ES_AUTOHSCROLL,
            f.x + f.labelWidth + 2, f.y, kFieldWidth, kFieldHeight));
    }
    t.items.push_back(Item(WC_STATIC, "颜色", kStaticId, SS_CENTER, kPreview.left, kPreview.bottom + 4,
        kPreview.right - kPreview.left, 16));
    t.items.push_back(
        Item(WC_BUTTON, "添加到自定义颜色(&A)", kColorAddId, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 248, 284, 260, 24));
    return t;
}

Swatch SwatchOf(int id)
{
    if (id >= kFirstBasicId && id < kFirstBasicId + ColorChooser::kBasicCount)
        return Swatch { Kind::Basic, id - kFirstBasicId };
    if (id >= kFirstCustomId && id < kFirstCustomId + ColorChooser::kCustomCount)
        return Swatch { Kind::Custom, id - kFirstCustomId };
    return Swatch {};
}

int IdOf(Swatch s) { return (s.kind == Kind::Basic ? kFirstBasicId : kFirstCustomId) + s.index; }

} // namespace

ColorDialog::ColorDialog(CHOOSECOLOR& cc)
    : chooser_(cc.lpCustColors, cc.rgbResult, (cc.Flags & CC_RGBINIT) != 0)
    , full_((cc.Flags & CC_FULLOPEN) != 0)
{
}

BOOL ColorDialog::Run(CHOOSECOLOR& cc)
{
    ctl::EnsureControlClasses();
    ColorDialog self(cc);
    res::DialogTemplate t = MakeTemplate();
    LONG_PTR answer = DialogBoxIndirectParam(nullptr, &t, CommonDialog::TopLevelOwner(cc.hwndOwner), Proc,
        reinterpret_cast<LPARAM>(&self));
    // The custom colours go back whichever way the dialog ended.
    std::copy(self.chooser_.Custom().begin(), self.chooser_.Custom().end(), cc.lpCustColors);
    if (answer != IDOK)
        return FALSE;
    cc.rgbResult = self.chooser_.Colour();
    return TRUE;
}

LONG_PTR ColorDialog::Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, DWLP_USER, lParam);
        reinterpret_cast<ColorDialog*>(lParam)->dialog_ = dialog;
    }
    auto* self = reinterpret_cast<ColorDialog*>(GetWindowLongPtr(dialog, DWLP_USER));
    return self ? self->Handle(msg, wParam, lParam) : FALSE;
}

LONG_PTR ColorDialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        OnInit();
        return FALSE; // the focus is placed already
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawSwatch(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(dialog_, &ps);
        if (full_)
            picture_.Paint(dc, chooser_.HlsValue(), chooser_.Colour());
        EndPaint(dialog_, &ps);
        return TRUE;
    }
    case WM_LBUTTONDOWN: {
        POINT p = ctl::MousePoint(lParam);
        drag_ = !full_                 ? Drag::None
            : ColorPicture::OnField(p) ? Drag::Field
            : ColorPicture::OnBar(p)   ? Drag::Bar
                                       : Drag::None;
        if (drag_ != Drag::None) {
            SetCapture(dialog_);
            PointerAt(p);
        }
        return TRUE;
    }
    case WM_MOUSEMOVE:
        if (drag_ != Drag::None)
            PointerAt(ctl::MousePoint(lParam));
        return TRUE;
    case WM_LBUTTONUP:
        if (drag_ != Drag::None) {
            drag_ = Drag::None;
            ReleaseCapture();
        }
        return TRUE;
    case WM_CAPTURECHANGED:
        drag_ = Drag::None;
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT ColorDialog::SwatchProc(HWND swatch, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ColorDialog*>(GetWindowLongPtr(GetParent(swatch), DWLP_USER));
    WNDPROC original = g_swatchOriginal;
    assert(original);
    switch (msg) {
    case WM_GETDLGCODE: {
        LRESULT code = CallWindowProc(original, swatch, msg, wParam, lParam);
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN)
            code |= DLGC_WANTMESSAGE;
        return code | DLGC_WANTARROWS;
    }
    case WM_KEYDOWN:
        if (self && self->OnSwatchKey(swatch, static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_NCDESTROY:
        SetWindowLongPtr(swatch, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        break;
    default:
        break;
    }
    return CallWindowProc(original, swatch, msg, wParam, lParam);
}

bool ColorDialog::OnSwatchKey(HWND swatch, UINT vk)
{
    if (vk == VK_RETURN) {
        EndDialog(dialog_, IDOK);
        return true;
    }
    Swatch s = SwatchOf(GetDlgCtrlID(swatch));
    int count = s.kind == Kind::Basic ? ColorChooser::kBasicCount : ColorChooser::kCustomCount;
    int column = s.index % ColorChooser::kColumns;
    int row = s.index / ColorChooser::kColumns;
    int rows = count / ColorChooser::kColumns;
    switch (vk) {
    case VK_LEFT:
        column = std::max(column - 1, 0);
        break;
    case VK_RIGHT:
        column = std::min(column + 1, ColorChooser::kColumns - 1);
        break;
    case VK_UP:
        row = std::max(row - 1, 0);
        break;
    case VK_DOWN:
        row = std::min(row + 1, rows - 1);
        break;
    default:
        return false;
    }
    Swatch next { s.kind, row * ColorChooser::kColumns + column };
    SetFocus(GetDlgItem(dialog_, IdOf(next)));
    SelectSwatch(next);
    return true;
}

void ColorDialog::OnInit()
{
    for (int id = kFirstBasicId; id < kFirstCustomId + ColorChooser::kCustomCount; ++id) {
        HWND swatch = GetDlgItem(dialog_, id);
        if (!swatch)
            continue;
        CommonDialog::WatchDoubleClicks(swatch, BN_DOUBLECLICKED);
        g_swatchOriginal = reinterpret_cast<WNDPROC>(GetWindowLongPtr(swatch, GWLP_WNDPROC));
        SetWindowLongPtr(swatch, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SwatchProc));
    }
    for (const FieldSpec& f : kFields)
        SendDlgItemMessage(dialog_, f.id, EM_LIMITTEXT, 3, 0);
    ShowColour(0);
    if (full_) {
        Expand();
    } else {
        CommonDialog::Place(dialog_, GetWindow(dialog_, GW_OWNER), kNarrowWidth, kClientHeight);
        ShowCustomArea(SW_HIDE);
    }
    Swatch s = chooser_.Selected();
    SetFocus(GetDlgItem(dialog_, s.kind == Kind::None ? (full_ ? kColorRedId : IDOK) : IdOf(s)));
}

void ColorDialog::ShowCustomArea(int show)
{
    // Only the controls that take the focus matter: hidden, Tab skips them
    // while they lie outside the narrow dialog.
    for (const FieldSpec& f : kFields)
        ShowWindow(GetDlgItem(dialog_, f.id), show);
    ShowWindow(GetDlgItem(dialog_, kColorAddId), show);
}

void ColorDialog::Expand()
{
    full_ = true;
    ShowCustomArea(SW_SHOW);
    CommonDialog::Place(dialog_, GetWindow(dialog_, GW_OWNER), kFullWidth, kClientHeight);
    HWND mix = GetDlgItem(dialog_, kColorMixId);
    if (GetFocus() == mix)
        SetFocus(GetDlgItem(dialog_, kColorHueId));
    EnableWindow(mix, FALSE);
}

void ColorDialog::OnCommand(int id, WORD code)
{
    if (IsField(id)) {
        if (code == EN_CHANGE && !updating_)
            OnFieldChanged(id);
        return;
    }
    Swatch s = SwatchOf(id);
    if (s.kind != Kind::None) {
        if (code == BN_CLICKED || code == BN_DOUBLECLICKED)
            SelectSwatch(s);
        if (code == BN_DOUBLECLICKED)
            EndDialog(dialog_, IDOK);
        return;
    }
    if (code != BN_CLICKED)
        return;
    switch (id) {
    case IDOK:
    case IDCANCEL:
        EndDialog(dialog_, id);
        break;
    case kColorMixId:
        Expand();
        break;
    case kColorAddId:
        Redraw(Swatch { Kind::Custom, chooser_.AddCustom() });
        break;
    default:
        break;
    }
}

void ColorDialog::OnFieldChanged(int id)
{
    char text[8] = {};
    GetDlgItemText(dialog_, id, text, sizeof text);
    int value = 0;
    auto [end, error] = std::from_chars(text, text + std::char_traits<char>::length(text), value);
    if (error != std::errc() || end == text)
        return; // an empty field while the user retypes it changes nothing
    int limit = IsRgbField(id) ? 255 : id == kColorHueId ? kHlsMax - 1 : kHlsMax;
    if (value > limit) {
        value = limit;
        SetField(id, value);
    }
    Swatch old = chooser_.Selected();
    COLORREF rgb = chooser_.Colour();
    Hls hls = chooser_.HlsValue();
    switch (id) {
    case kColorRedId:
        chooser_.SetRgb(RGB(static_cast<BYTE>(value), GetGValue(rgb), GetBValue(rgb)));
        break;
    case kColorGreenId:
        chooser_.SetRgb(RGB(GetRValue(rgb), static_cast<BYTE>(value), GetBValue(rgb)));
        break;
    case kColorBlueId:
        chooser_.SetRgb(RGB(GetRValue(rgb), GetGValue(rgb), static_cast<BYTE>(value)));
        break;
    case kColorHueId:
        hls.hue = value;
        chooser_.SetHls(hls);
        break;
    case kColorSatId:
        hls.sat = value;
        chooser_.SetHls(hls);
        break;
    default:
        hls.lum = value;
        chooser_.SetHls(hls);
        break;
    }
    Redraw(old);
    ShowColour(id);
}

void ColorDialog::SelectSwatch(Swatch s)
{
    Swatch old = chooser_.Selected();
    chooser_.Select(s);
    Redraw(old);
    Redraw(s);
    ShowColour(0);
}

void ColorDialog::ShowColour(int except)
{
    COLORREF rgb = chooser_.Colour();
    Hls hls = chooser_.HlsValue();
    const std::pair<int, int> values[] = { { kColorHueId, hls.hue }, { kColorSatId, hls.sat }, { kColorLumId, hls.lum },
        { kColorRedId, GetRValue(rgb) }, { kColorGreenId, GetGValue(rgb) }, { kColorBlueId, GetBValue(rgb) } };
    for (auto [id, value] : values)
        if (id != except)
            SetField(id, value);
    ColorPicture::Invalidate(dialog_);
}

void ColorDialog::SetField(int id, int value)
{
    updating_ = true;
    SetDlgItemText(dialog_, id, std::to_string(value).c_str());
    updating_ = false;
}

void ColorDialog::Redraw(Swatch s)
{
    if (s.kind != Kind::None)
        InvalidateRect(GetDlgItem(dialog_, IdOf(s)), nullptr, FALSE);
}

void ColorDialog::DrawSwatch(const DRAWITEMSTRUCT& item)
{
    Swatch s = SwatchOf(static_cast<int>(item.CtlID));
    if (s.kind != Kind::None)
        ColorPicture::DrawSwatch(item.hDC, item.rcItem, chooser_.SwatchColour(s), chooser_.Selected() == s,
            (item.itemState & ODS_FOCUS) != 0);
}

void ColorDialog::PointerAt(POINT p)
{
    Swatch old = chooser_.Selected();
    Hls hls = chooser_.HlsValue();
    chooser_.SetHls(drag_ == Drag::Field ? ColorPicture::AtField(p, hls) : ColorPicture::AtBar(p, hls));
    Redraw(old);
    ShowColour(0);
}

} // namespace ws::dlg

BOOL ChooseColor(CHOOSECOLOR* cc)
{
    using ws::dlg::CommonDialog;
    CommonDialog::SetError(0);
    if (!cc || cc->lStructSize != sizeof(CHOOSECOLOR)) {
        CommonDialog::SetError(ws::dlg::CDERR_STRUCTSIZE);
        return FALSE;
    }
    if (!cc->lpCustColors) {
        CommonDialog::SetError(ws::dlg::CDERR_INITIALIZATION);
        return FALSE;
    }
    return ws::dlg::ColorDialog::Run(*cc);
}
