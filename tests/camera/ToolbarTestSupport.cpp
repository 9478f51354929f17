#include "tests/camera/ToolbarTestSupport.h"

#include "tests/camera/CameraTestSupport.h"

namespace test {

ToolbarTest::~ToolbarTest()
{
    if (main && main->m_hWnd)
        main->DestroyWindow();
    main.reset();
    app.m_pMainWnd = nullptr;
    app.m_pMainDlg = nullptr;
}

std::shared_ptr<v4l2::EmulatedDevice> ToolbarTest::AddCamera(std::string card, std::vector<v4l2::FrameSize> sizes,
    std::vector<v4l2::EmulatedControl> controls)
{
    auto camera = v4l2::EmulatedDevice::Camera(std::move(card), std::move(sizes), std::move(controls));
    // A camera's pace, not as fast as the machine can: the tests wait on the
    // virtual clock, and the streaming thread shares the processor.
    camera->SetFramePeriod(std::chrono::microseconds(33333));
    devices.Add("/dev/video" + std::to_string(nextCamera_++), camera);
    return camera;
}

void ToolbarTest::Open()
{
    main = std::make_unique<CVideoDlg>(nullptr);
    app.m_pMainWnd = main.get();
    app.m_pMainDlg = main.get();
    ASSERT_TRUE(main->Create(CVideoDlg::IDD, nullptr));
    driver.Pump();
    ASSERT_TRUE(main->m_pPalette && main->m_pPalette->m_pVideoConfigDlg);
    // The view's 20 ms repaint plays no part in what these tests watch; it
    // is stopped so that seconds on the virtual clock cost little real time.
    main->m_video.KillTimer(0);
    ASSERT_TRUE(Toolbar().IsWindowVisible());
}

CRect ToolbarTest::ScreenRect(HWND window)
{
    CRect r;
    ::GetWindowRect(window, &r);
    return r;
}

void ToolbarTest::ClickControl(int id)
{
    const CPoint c = Centre(::GetDlgItem(Toolbar().m_hWnd, id));
    driver.Click(c.x, c.y);
}

std::string ToolbarTest::TipText() const
{
    const CDialogTip* tip = Toolbar().m_pTip.get();
    if (!tip || !tip->m_hWnd || !tip->IsWindowVisible())
        return "";
    return tip->m_strText.GetString();
}

bool ToolbarTest::WaitForPicture()
{
    return CameraTest::WaitFor([this] { return Capture() && Capture()->GrabRendererImage() >= 0; });
}

} // namespace test
