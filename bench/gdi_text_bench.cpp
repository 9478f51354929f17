// GDI text: measuring a line, drawing it, and wrapping a paragraph in a
// rectangle, with the dialog font on a 32-bit memory DC.

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

const char kLine[] = "Brightness 亮度 Contrast 对比度 50%";
const char kParagraph[] = "The document camera shows the page under it; 滑动滑块改变透明度, "
                          "and the board keeps what was drawn over the picture until it is cleared.";

class TextDc {
public:
    TextDc()
    {
        dc_ = CreateCompatibleDC(nullptr);
        bmp_ = CreateBitmap(400, 200, 1, 32, nullptr);
        oldBmp_ = SelectObject(dc_, bmp_);
        font_ = CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "宋体");
        oldFont_ = SelectObject(dc_, font_);
        PatBlt(dc_, 0, 0, 400, 200, WHITENESS);
    }
    ~TextDc()
    {
        SelectObject(dc_, oldFont_);
        SelectObject(dc_, oldBmp_);
        DeleteObject(font_);
        DeleteObject(bmp_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bmp_;
    HFONT font_;
    HGDIOBJ oldBmp_, oldFont_;
};

void BM_GetTextExtentPoint32(benchmark::State& state)
{
    TextDc t;
    SIZE size;
    for (auto _ : state) {
        GetTextExtentPoint32(t.dc(), kLine, static_cast<int>(std::strlen(kLine)), &size);
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_GetTextExtentPoint32);

void BM_TextOut(benchmark::State& state)
{
    TextDc t;
    SetBkMode(t.dc(), OPAQUE);
    for (auto _ : state)
        benchmark::DoNotOptimize(TextOut(t.dc(), 10, 10, kLine, -1));
}
BENCHMARK(BM_TextOut);

void BM_DrawTextWordBreak(benchmark::State& state)
{
    TextDc t;
    SetBkMode(t.dc(), TRANSPARENT);
    for (auto _ : state) {
        RECT r { 5, 5, 200, 195 };
        benchmark::DoNotOptimize(DrawText(t.dc(), kParagraph, -1, &r, DT_WORDBREAK));
    }
}
BENCHMARK(BM_DrawTextWordBreak);

} // namespace
