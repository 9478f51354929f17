#pragma once

// The common colour dialog (ChooseColor): a modal dialog with the basic
// palette and the custom colours as swatches (owner-drawn buttons), and the
// area for defining custom colours: a hue/saturation field, a luminance bar,
// fields for hue, saturation, luminance (0-240) and red, green, blue
// (0-255), a preview of the colour, and the button that adds it to the
// custom colours. The field, the bar and the preview (ColorPicture) are
// painted by the dialog itself and worked with the mouse on the dialog's own
// client area.

#include "platform/window/ColorChooser.h"
#include "platform/window/ColorPicture.h"
#include "platform/window/Controls.h"
#include "platform/window/WinUser.h"

namespace ws::dlg {

// Control ids, with the original's numbers where it has them.
inline constexpr int kColorHueId = 703;
inline constexpr int kColorSatId = 704;
inline constexpr int kColorLumId = 705;
inline constexpr int kColorRedId = 706;
inline constexpr int kColorGreenId = 707;
inline constexpr int kColorBlueId = 708;
inline constexpr int kColorAddId = 712;
inline constexpr int kColorMixId = 719; // "define custom colours >>"
inline constexpr int kFirstBasicId = 0x300;
inline constexpr int kFirstCustomId = 0x340;

class ColorDialog {
public:
    // The whole of ChooseColor once the structure has been checked.
    static BOOL Run(CHOOSECOLOR& cc);

private:
    explicit ColorDialog(CHOOSECOLOR& cc);
    static LONG_PTR Proc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    // The swatches' own procedure in front of the button's: Enter on a
    // swatch accepts the dialog, and the arrows move the selection.
    static LRESULT SwatchProc(HWND swatch, UINT msg, WPARAM wParam, LPARAM lParam);
    LONG_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    void OnInit();
    void OnCommand(int id, WORD code);
    void OnFieldChanged(int id);
    void Expand();
    void ShowCustomArea(int show);
    void SelectSwatch(ColorChooser::Swatch s);
    bool OnSwatchKey(HWND swatch, UINT vk);
    // Shows the chooser's colour in every field but `except` and repaints
    // the painted parts.
    void ShowColour(int except);
    void SetField(int id, int value);
    void Redraw(ColorChooser::Swatch s);
    void DrawSwatch(const DRAWITEMSTRUCT& item);
    void PointerAt(POINT p);

    enum class Drag { None, Field, Bar };

    ColorChooser chooser_;
    HWND dialog_ = nullptr;
    bool full_ = false;
    bool updating_ = false; // the dialog itself is writing the fields
    Drag drag_ = Drag::None;
    ColorPicture picture_;
};

} // namespace ws::dlg
