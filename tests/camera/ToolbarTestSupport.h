#pragma once

// What the toolbar and adjustment panel tests share: the main video window
// made as the program makes it (maximised on the 1920 x 1040 headless
// screen, view started, toolbar shown), over the emulated cameras the test
// adds first, and the teacher's hand on the toolbar's controls.

#include "app/InkveilDlg.h"
#include "camera/VideoConfigDlg.h"
#include "camera/VideoDlg.h"
#include "tests/camera/VideoTestSupport.h"

#include <memory>
#include <string>

namespace test {

class ToolbarTest : public VideoTest {
protected:
    ~ToolbarTest() override;

    // Adds a camera as the next /dev/videoN node.
    std::shared_ptr<v4l2::EmulatedDevice> AddCamera(std::string card, std::vector<v4l2::FrameSize> sizes,
        std::vector<v4l2::EmulatedControl> controls = {});
    // Makes the main window, which starts the video and opens the toolbar.
    void Open();

    CVideoConfigDlg& Toolbar() const { return *main->m_pPalette->m_pVideoConfigDlg; }
    CVideoStatic& View() const { return main->m_video; }
    CVMR_Capture* Capture() const { return main->m_video.m_pCapture; }

    static CRect ScreenRect(HWND window);
    static CPoint Centre(HWND window) { return ScreenRect(window).CenterPoint(); }
    // Clicks the toolbar's control of that id at its centre.
    void ClickControl(int id);
    // The text of the tip shown, or "" when none is.
    std::string TipText() const;
    // Whether a frame has reached the renderer, waiting for it in real time.
    bool WaitForPicture();

    std::unique_ptr<CVideoDlg> main;

private:
    int nextCamera_ = 0;
};

} // namespace test
