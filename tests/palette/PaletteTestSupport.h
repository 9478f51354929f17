#pragma once

// What the palette tests share: the program's windows on the headless
// screen, and a hand that acts on the palette's buttons by their control
// ids. Open makes the maximised video window as the program's main window
// (modeless, so that the test drives the messages itself), which makes the
// palette; Run instead runs the whole program modally, the test acting in
// steps taken while the program waits for input.

#include "app/InkveilDlg.h"
#include "board/MyWnd.h"
#include "camera/VideoDlg.h"
#include "tests/camera/VideoTestSupport.h"

#include <functional>
#include <memory>

namespace test {

class PaletteTest : public VideoTest {
protected:
    explicit PaletteTest(int width = 1366, int height = 768);
    ~PaletteTest() override;

    // The main window and its palette, made as the program makes them.
    void Open();

    CVideoDlg* Main() const { return app.m_pMainDlg; }
    CInkveilDlg* Palette() const { return Main() ? Main()->m_pPalette.get() : nullptr; }
    CVideoStatic& View() const { return Main()->m_video; }
    CMyWnd* Board() const { return Palette()->Board(); }

    // The window rectangle of a palette control, and its centre on screen.
    CRect ControlRect(int id) const;
    POINT ControlCentre(int id) const;
    // A point of the palette's own skin, which no control covers and the
    // shape does not cut away: where the hand can grip it.
    POINT SkinPoint() const;
    // A click in the middle of a palette control.
    void Press(int id);
    // The first thing the program does once it waits: the step.
    void Step(std::function<void()> step) { driver.WhenWaiting(std::move(step)); }
    // Runs the whole program to its end; the steps must end it. Input a
    // step injects is handled once the step returns.
    int Run();
    // Closes the main window, which ends the program.
    void CloseProgram() { Main()->PostMessage(WM_CLOSE); }

    // A frame of the camera's picture, plain white, published for the view.
    void PublishWhite();
    // Lets the program's clock run on (50 ms: one auto-hide check).
    void Wait(DWORD ms) { driver.Advance(ms); }
    // A stroke of the hand on the screen from one point to the other.
    void Stroke(POINT from, POINT to, int steps = 8);
    // How many pixels of column x, rows y0 to y1, differ from colour c.
    int CountOtherThan(int x, int y0, int y1, COLORREF c) const;

private:
    std::unique_ptr<CVideoDlg> main_;
};

} // namespace test
