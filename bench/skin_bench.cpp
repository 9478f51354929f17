// What the skinned controls cost to paint: one full paint of a bitmap slider
// (the toolbar's zoom slider, keyed channel and thumb over the dialog's
// picture, or an opaque channel), and the off-screen device context over a
// screen-sized area next to one over an area ten times the screen of which
// only a screen's worth can be seen, as a zoomed video view asks for. The
// two off-screen cases should cost about the same.

#include "platform/afx/ClientDc.h"
#include "platform/afx/DataExchange.h"
#include "platform/afx/Dialog.h"
#include "platform/headless/Driver.h"
#include "platform/window/Resources.h"
#include "skin/BitmapSlider.h"
#include "skin/MemDC.h"

#include <benchmark/benchmark.h>

namespace {

constexpr UINT IDD_BENCH = 9900;
constexpr UINT IDB_CHANNEL = 9901;
constexpr UINT IDB_THUMB = 9902;
constexpr int IDC_SLIDER = 1016;

void AddBitmap(UINT id, int width, int height, COLORREF (*colour)(int, int))
{
    res::Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap.pixels.push_back(gdi::PixelFromColorRef(colour(x, y)));
    res::AddBitmap(res::Name::From(MAKEINTRESOURCE(id)), std::move(bitmap));
}

void AddResources()
{
    AddBitmap(IDB_CHANNEL, 90, 13,
        [](int x, int y) { return y >= 4 && y <= 8 ? RGB(60 + x, 90, 200) : RGB(255, 255, 0); });
    AddBitmap(IDB_THUMB, 12, 13, [](int x, int y) {
        int dx = 2 * x - 11, dy = 2 * y - 12;
        return dx * dx + dy * dy <= 130 ? RGB(20, 30 + x, 40) : RGB(255, 0, 255);
    });
    res::DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE;
    t.cx = 100;
    t.cy = 30;
    t.items = { res::DialogItem { "STATIC", "", IDC_SLIDER, WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, 0, 10, 10,
        20, 5 } };
    res::AddDialog(res::Name::From(MAKEINTRESOURCE(IDD_BENCH)), std::move(t));
}

class CBenchDlg : public CDialog {
public:
    explicit CBenchDlg(BOOL keyed)
        : CDialog(IDD_BENCH)
        , m_bKeyed(keyed)
    {
    }
    CBitmapSlider slider;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_SLIDER, slider); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        slider.SetChannelImage(IDB_CHANNEL, m_bKeyed);
        slider.SetThumbImage(IDB_THUMB, TRUE);
        slider.SetRange(0, 400, FALSE);
        slider.SetMargins(1, 0, 0, 0);
        return TRUE;
    }
    BOOL m_bKeyed;
};

// range(0): 1 keyed channel, 0 opaque channel. The thumb moves every paint.
void BM_SliderPaint(benchmark::State& state)
{
    headless::Driver driver;
    AddResources();
    CBenchDlg dlg(static_cast<BOOL>(state.range(0)));
    dlg.Create(IDD_BENCH);
    driver.Pump();
    int pos = 0;
    for (auto _ : state) {
        dlg.slider.SetPos(pos = (pos + 37) % 401);
        dlg.slider.UpdateWindow();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SliderPaint)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A CMemDC on a screen-sized window's client area, filled and copied back.
// range(0): 1 the area is the client area, 10 an area ten times the screen
// (12,740 by 9,560) panned so that the window shows a part of its middle.
void BM_MemDcOverArea(benchmark::State& state)
{
    headless::Driver driver;
    CWnd window;
    window.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 1366, 768, nullptr, nullptr);
    driver.Pump();
    CClientDC dc(&window);
    const CRect area = state.range(0) == 1 ? CRect(0, 0, 1366, 768) : CRect(-5000, -4000, 7740, 5560);
    for (auto _ : state) {
        CMemDC mem(&dc, area, FALSE);
        mem.MoveTo(area.left, area.top);
        mem.LineTo(area.right, area.bottom);
        benchmark::DoNotOptimize(mem.GetSafeHdc());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MemDcOverArea)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

} // namespace
