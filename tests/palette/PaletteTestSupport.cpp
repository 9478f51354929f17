#include "tests/palette/PaletteTestSupport.h"

namespace test {

PaletteTest::PaletteTest(int width, int height)
    : VideoTest(width, height)
{
    // The palette sets the pen width itself as it starts.
    app.m_nPenWidth = 0;
}

PaletteTest::~PaletteTest()
{
    if (main_ && main_->m_hWnd)
        main_->DestroyWindow();
    main_.reset();
    app.m_pMainWnd = nullptr;
    app.m_pMainDlg = nullptr;
}

void PaletteTest::Open()
{
    main_ = std::make_unique<CVideoDlg>();
    app.m_pMainWnd = main_.get();
    app.m_pMainDlg = main_.get();
    ASSERT_TRUE(main_->Create(CVideoDlg::IDD, nullptr));
    driver.Pump();
}

CRect PaletteTest::ControlRect(int id) const
{
    CRect r;
    if (CWnd* control = Palette()->GetDlgItem(id))
        control->GetWindowRect(&r);
    return r;
}

POINT PaletteTest::ControlCentre(int id) const { return ControlRect(id).CenterPoint(); }

POINT PaletteTest::SkinPoint() const
{
    CRect r;
    Palette()->GetWindowRect(&r);
    for (int y = r.top + 60; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (::WindowFromPoint(POINT { x, y }) == Palette()->m_hWnd)
                return POINT { x, y };
    ADD_FAILURE() << "no bare skin on the palette";
    return POINT { r.left, r.top };
}

void PaletteTest::Press(int id) { driver.Click(ControlCentre(id).x, ControlCentre(id).y); }

int PaletteTest::Run()
{
    const int code = AfxRunApplication();
    EXPECT_FALSE(driver.StepsLeft()) << "the program ended before every step ran";
    return code;
}

void PaletteTest::PublishWhite()
{
    PublishFrame(640, 480, [](int, int) { return RGB(255, 255, 255); });
}

void PaletteTest::Stroke(POINT from, POINT to, int steps)
{
    driver.MoveTo(from);
    driver.Press();
    for (int i = 1; i <= steps; ++i)
        driver.MoveTo(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
    driver.Release();
}

int PaletteTest::CountOtherThan(int x, int y0, int y1, COLORREF c) const
{
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        n += driver.PixelAt(x, y) != c;
    return n;
}

} // namespace test
