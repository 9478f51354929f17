#pragma once

// Text in the pictures: one of the program's faces at a pixel size, hinted
// and with whole-pixel advances, placed so that every line starts on a
// whole pixel and sits on a whole-pixel baseline. The faces are the ones the
// program's own windows use: "MS Shell Dlg" (a sans face) for the words of
// the interface, "宋体" (a Song face) where a picture imitates a dialog's
// text.

#include <cairo.h>

#include <string>

namespace resgen {

class Lettering {
public:
    // family as the program names it; pixels is the em size. Throws
    // std::runtime_error when no installed face carries the family.
    Lettering(const std::string& family, double pixels, bool bold = false);
    ~Lettering();
    Lettering(const Lettering&) = delete;
    Lettering& operator=(const Lettering&) = delete;

    // The advance of a line of UTF-8 text, in whole pixels.
    int Width(const std::string& text) const;
    // Ascent and descent of the face at this size, whole pixels.
    int Ascent() const { return ascent_; }
    int Descent() const { return descent_; }
    // The height of the ink of a typical Chinese character, from the
    // baseline up: what centring on a line looks at.
    int InkHeight() const { return inkHeight_; }

    // Draws with the baseline's left end at (x, baseline), both rounded to
    // whole pixels, in the context's current source.
    void Draw(cairo_t* cr, const std::string& text, double x, double baseline) const;
    // Draws centred on (cx, cy): the middle of the advance and of the ink
    // height fall on the point, rounded to whole pixels.
    void DrawCentred(cairo_t* cr, const std::string& text, double cx, double cy) const;
    // The baseline that centres the ink height on cy.
    int BaselineFor(double cy) const;

private:
    cairo_font_face_t* face_;
    cairo_scaled_font_t* measuring_;
    double pixels_;
    int ascent_;
    int descent_;
    int inkHeight_;
};

// The interface's words: "MS Shell Dlg" at a pixel size, made once and kept.
const Lettering& InterfaceFont(int pixels, bool bold = false);

} // namespace resgen
