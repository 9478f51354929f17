// Still picture mode: a long pen stroke on the drawing board through the
// window system (every mouse event a message, every move a rubber-band
// step, the release the anti-aliased curve), saving a full-HD board to a
// BMP file, and cutting the widest skin, the 1366 x 93 toolbar, to its
// outline.

#include "app/InkveilApp.h"
#include "app/PictureFile.h"
#include "app/SavePicture.h"
#include "app/ScreenSnapshot.h"
#include "bench/GdiplusScope.h"
#include "board/MyWnd.h"
#include "platform/afx/ClientDc.h"
#include "platform/gdiplus/GdiPlusFlat.h"
#include "platform/headless/Driver.h"
#include "platform/window/FileDialog.h"
#include "platform/window/Resources.h"
#include "skin/BitmapDialog.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

using Gdiplus = bench::GdiplusScope;

// A board over a frozen screen, as the palette opens it.
struct Board {
    Board(int width, int height)
        : driver(width, height)
    {
        snapshot.reset(SnapshotScreen());
        board = std::make_unique<CMyWnd>(snapshot.get());
        board->CreateBoard(CMyWnd::kWindowName, CRect(0, CMyWnd::kTop, width, height), nullptr);
        board->ShowWindow(SW_SHOW);
        driver.Pump();
    }
    ~Board() { board.reset(); }

    headless::Driver driver;
    CInkveilApp app;
    std::unique_ptr<CBitmap> snapshot;
    std::unique_ptr<CMyWnd> board;
};

// A pen stroke of 500 moves: a loose spiral over the middle of the screen,
// pressed, moved and released through the window system.
void BM_BoardPenStroke500(benchmark::State& state)
{
    Gdiplus gdiplus;
    Board b(1366, 768);
    b.app.m_nPenWidth = 5;
    b.app.m_nAlphaPercent = 50;
    b.board->SelectPen();
    for (auto _ : state) {
        b.driver.MoveTo(683, 384);
        b.driver.Press();
        for (int i = 1; i <= 500; ++i) {
            const double angle = i * 0.05;
            const double radius = 20 + i * 0.5;
            b.driver.MoveTo(683 + static_cast<int>(radius * std::cos(angle)),
                384 + static_cast<int>(radius * std::sin(angle)));
        }
        b.driver.Release();
    }
    state.counters["moves/s"] = benchmark::Counter(500.0 * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_BoardPenStroke500)->Unit(benchmark::kMillisecond);

std::string BenchFile()
{
    return (std::filesystem::temp_directory_path() / ("inkveil-bench-" + std::to_string(::getpid()) + ".bmp")).string();
}

// The SAVE command on a 1920 x 1080 screen: the copy of the board, the save
// dialog answered by typing the name, and the 32-bit file written and put in
// place.
void BM_SavePicture1920x1080(benchmark::State& state)
{
    Board b(1920, 1080);
    const std::string path = BenchFile();
    CBitmap saved;
    for (auto _ : state) {
        // A new file each time, so that the dialog does not ask to replace.
        std::remove(path.c_str());
        b.driver.WhenWaiting([&] {
            HWND name = ::GetDlgItem(::GetActiveWindow(), ws::dlg::kFileNameId);
            ::SetFocus(name);
            ::SendMessage(name, EM_SETSEL, 0, -1);
            b.driver.Type(path);
            b.driver.Key(VK_RETURN);
        });
        SavePicture(b.board.get(), saved);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SavePicture1920x1080)->Unit(benchmark::kMillisecond);

// The same save without the dialog: the copy and the file alone.
void BM_CopyAndWriteBoard1920x1080(benchmark::State& state)
{
    Board b(1920, 1080);
    const std::string path = BenchFile();
    CBitmap saved;
    for (auto _ : state) {
        CopyWindowPicture(b.board.get(), saved);
        WriteBitmapFile(saved, path);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_CopyAndWriteBoard1920x1080)->Unit(benchmark::kMillisecond);

constexpr UINT IDD_TOOLBAR_BENCH = 9801;
constexpr UINT IDB_TOOLBAR_BENCH = 9802;

// A toolbar-like skin: a rounded band with a row of cut-out holes, the rest
// of the rectangle in the key colour.
void RegisterToolbarSkin(int width, int height)
{
    res::Bitmap bitmap;
    bitmap.width = width;
    bitmap.height = height;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int inset = y < 10 ? 10 - y : y >= height - 10 ? y - (height - 11) : 0;
            const bool band = x >= inset && x < width - inset;
            const bool hole = y >= 30 && y < 60 && (x % 48) >= 40;
            bitmap.pixels.push_back(band && !hole ? 0x203040u + static_cast<unsigned>(x % 64) : 0xFFFF00u);
        }
    res::AddBitmap(res::Name { IDB_TOOLBAR_BENCH, "" }, bitmap);
    res::DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | DS_SETFONT;
    t.cx = 10;
    t.cy = 10;
    t.fontFace = "MS Shell Dlg";
    t.pointSize = 8;
    res::AddDialog(res::Name { IDD_TOOLBAR_BENCH, "" }, t);
}

class CToolbarSkin : public CBitmapDialog {
public:
    CToolbarSkin()
        : CBitmapDialog(IDD_TOOLBAR_BENCH, nullptr)
    {
    }
    BOOL OnInitDialog() override
    {
        CBitmapDialog::OnInitDialog();
        MoveWindow(0, 600, 1366, 93, FALSE);
        LoadBackground(IDB_TOOLBAR_BENCH);
        SetTransparentColor(RGB(255, 255, 0));
        SetShaped(TRUE);
        return TRUE;
    }
};

void BM_UpdateRegionToolbar1366x93(benchmark::State& state)
{
    headless::Driver driver(1366, 768);
    RegisterToolbarSkin(1366, 93);
    CToolbarSkin skin;
    skin.Create(IDD_TOOLBAR_BENCH, nullptr);
    driver.Pump();
    for (auto _ : state)
        skin.UpdateRegion();
}
BENCHMARK(BM_UpdateRegionToolbar1366x93)->Unit(benchmark::kMicrosecond);

} // namespace
