#pragma once

// What the palette tests share: the whole program on the headless screen
// (the application runs the maximised video window modally, which makes
// the palette), an emulated camera, and a hand that acts on the palette's
// buttons by their control ids. Steps run while the program waits for
// input; Run starts the program and answers its exit code.

#include "app/InkveilDlg.h"
#include "board/MyWnd.h"
#include "camera/VideoDlg.h"
#include "tests/camera/VideoTestSupport.h"

#include <functional>

namespace test {

class PaletteTest : public VideoTest {
protected:
    explicit PaletteTest(int width = 1366, int height = 768);

    CVideoDlg* Main() const { return app.m_pMainDlg; }
    CInkveilDlg* Palette() const { return Main() ? Main()->m_pPalette.get() : nullptr; }
    CVideoStatic& View() const { return Main()->m_video; }
    CMyWnd* Board() const { return Palette()->Board(); }

    // The window rectangle of a palette control, and its centre on screen.
    CRect ControlRect(int id) const;
    POINT ControlCentre(int id) const;
    // A click in the middle of a palette control.
    void Press(int id);
    // The first thing the program does once it waits: the step.
    void Step(std::function<void()> step) { driver.WhenWaiting(std::move(step)); }
    // Runs the program to its end; the steps must end it.
    int Run();
    // Closes the main window, which ends the program.
    void CloseProgram() { Main()->PostMessage(WM_CLOSE); }

    // A frame of the camera's picture, plain white, published for the view.
    void PublishWhite();
    // A stroke of the hand on the screen from one point to the other.
    void Stroke(POINT from, POINT to, int steps = 8);
    // How many pixels of column x, rows y0 to y1, differ from colour c.
    int CountOtherThan(int x, int y0, int y1, COLORREF c) const;
};

} // namespace test
