#pragma once

// The drawing board test fixture: a small headless screen, the application
// object with its drawing settings, the eraser window, and a board shown
// over a snapshot of the screen; with reads of the screen and the colours a
// XOR band and a blended stroke give.

#include "app/EraserDlg.h"
#include "app/InkveilApp.h"
#include "app/ScreenSnapshot.h"
#include "board/MyWnd.h"
#include "platform/headless/Driver.h"
#include "platform/window/Resources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace test {

constexpr int kW = 320;
constexpr int kH = 240;

constexpr COLORREF NotXor(COLORREF pen, COLORREF under) { return ~(pen ^ under) & 0x00FFFFFF; }

// Whether c is colour over under at alpha, within two steps a channel.
inline bool IsBlend(COLORREF c, COLORREF colour, COLORREF under, int alpha)
{
    for (int s : { 0, 8, 16 }) {
        auto ch = [s](COLORREF v) { return static_cast<int>((v >> s) & 0xFF); };
        if (std::abs(ch(c) - (ch(colour) * alpha + ch(under) * (255 - alpha) + 127) / 255) > 2)
            return false;
    }
    return true;
}

class BoardTest : public ::testing::Test {
protected:
    BoardTest()
    {
        app.m_nPenWidth = 1;
        app.m_nAlphaPercent = 100;
        frozen = Screen();
        snapshot.reset(SnapshotScreen());
        eraser.Create(EraserDlg::IDD, nullptr);
        eraser.ShowWindow(SW_HIDE);
        app.m_pEraserDlg = &eraser;
        Open();
    }
    ~BoardTest() override
    {
        board.reset();
        app.m_pEraserDlg = nullptr;
        app.m_pMainWnd = nullptr;
    }
    void Open()
    {
        board = std::make_unique<CMyWnd>(snapshot.get());
        board->CreateBoard(CMyWnd::kWindowName, CRect(0, CMyWnd::kTop, kW, kH), nullptr);
        board->ShowWindow(SW_SHOW);
        driver.Pump();
    }
    std::vector<COLORREF> Screen() const
    {
        std::vector<COLORREF> out;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                out.push_back(driver.PixelAt(x, y));
        return out;
    }
    static COLORREF At(const std::vector<COLORREF>& s, int x, int y) { return s[static_cast<std::size_t>(y) * kW + x]; }
    COLORREF Frozen(int x, int y) const { return At(frozen, x, y); }
    // Inside the mask footprint at corner the frozen screen, outside it
    // what was there before.
    void ExpectErasedAt(POINT corner, const std::vector<COLORREF>& before)
    {
        const res::Bitmap* mask = res::FindBitmap(res::Name { CMyWnd::IDB_ERASER_MASK, "" });
        ASSERT_NE(mask, nullptr);
        for (int r = 0; r < mask->height; ++r)
            for (int a = 0; a < mask->width; ++a) {
                const bool in = (mask->pixels[static_cast<std::size_t>(r) * mask->width + a] & 0xFFFFFF) != 0xFFFFFF;
                const int x = corner.x + a, y = corner.y + r;
                ASSERT_EQ(driver.PixelAt(x, y), in ? Frozen(x, y) : At(before, x, y)) << x << "," << y << " " << in;
            }
    }

    headless::Driver driver { kW, kH };
    CInkveilApp app;
    std::vector<COLORREF> frozen;
    std::unique_ptr<CBitmap> snapshot;
    EraserDlg eraser;
    std::unique_ptr<CMyWnd> board;
};

} // namespace test
