// Renders every drawing tool in every line type, width and opacity into one
// picture, through the same drawing objects and the same final renderings
// the program uses, so that anyone can look at the figures.
//
//   figure_sheet out.bmp   (or out.png)

#include "draw/DrawObj.h"
#include "draw/DrawSettings.h"
#include "platform/afx/Dc.h"
#include "platform/gdi/BmpFile.h"
#include "platform/gdiplus/GdiPlusFlat.h"

#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCellWidth = 150;
constexpr int kCellHeight = 110;
constexpr int kLabelWidth = 110;
constexpr int kHeaderHeight = 44;

struct Column {
    const char* title;
    int lineType;
    int width;
    int opacity;
};

const Column kColumns[] = {
    { "任意线 3px", LINE_FREE, 3, 100 },
    { "虚线 3px", LINE_DASHED, 3, 100 },
    { "箭头 3px", LINE_ARROW, 3, 100 },
    { "宽 1px", LINE_FREE, 1, 100 },
    { "宽 10px", LINE_FREE, 10, 100 },
    { "宽 30px", LINE_FREE, 30, 100 },
    { "透明度 50%", LINE_FREE, 10, 50 },
    { "透明度 20%", LINE_FREE, 10, 20 },
};

struct Row {
    const char* title;
    int tool;
    COLORREF color;
};

const Row kRows[] = {
    { "画笔", TOOL_PEN, RGB(230, 30, 40) },
    { "直线", TOOL_LINE, RGB(20, 110, 220) },
    { "空心矩形", TOOL_RECTANGLE, RGB(30, 150, 60) },
    { "实心矩形", TOOL_RECTFILL, RGB(240, 140, 0) },
    { "空心圆形", TOOL_CIRCLE, RGB(140, 40, 200) },
    { "实心圆形", TOOL_CIRCLEFILL, RGB(0, 150, 160) },
    { "空心椭圆", TOOL_ELLIPSE, RGB(200, 40, 120) },
    { "实心椭圆", TOOL_ELLIPSEFILL, RGB(90, 90, 90) },
};

// A stroke across a cell: a wave for the pen, two corners for the shapes.
std::vector<CPoint> PointsFor(int tool, int left, int top)
{
    std::vector<CPoint> pts;
    if (tool == TOOL_PEN) {
        for (int i = 0; i <= 24; ++i) {
            int x = left + 20 + i * 110 / 24;
            int y = top + 55 + static_cast<int>(28 * ((i % 8 < 4) ? (i % 4) : (4 - i % 4)) / 4.0) - 14;
            pts.emplace_back(x, y);
        }
    } else if (tool == TOOL_CIRCLE || tool == TOOL_CIRCLEFILL) {
        pts = { CPoint(left + 75, top + 55), CPoint(left + 95, top + 70), CPoint(left + 105, top + 80) };
    } else {
        pts = { CPoint(left + 22, top + 22), CPoint(left + 80, top + 60), CPoint(left + 128, top + 90) };
    }
    return pts;
}

void Label(GpGraphics* g, const char* utf8, int x, int y, int w, int h, REAL size)
{
    std::u16string text;
    for (std::size_t i = 0; utf8[i];) {
        auto c = static_cast<unsigned char>(utf8[i]);
        int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? c : c & (0xFF >> (len + 1));
        for (int k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(len);
        text.push_back(static_cast<char16_t>(cp));
    }
    GpFontFamily* family = nullptr;
    GpFont* font = nullptr;
    GpStringFormat* format = nullptr;
    GpSolidFill* brush = nullptr;
    GdipCreateFontFamilyFromName(u"宋体", nullptr, &family);
    GdipCreateFont(family, size, FontStyleRegular, UnitPixel, &font);
    GdipCreateStringFormat(0, LANG_NEUTRAL, &format);
    GdipSetStringFormatAlign(format, StringAlignmentCenter);
    GdipSetStringFormatLineAlign(format, StringAlignmentCenter);
    GdipCreateSolidFill(0xFF202020, &brush);
    GdipSetTextRenderingHint(g, TextRenderingHintAntiAlias);
    RectF layout { static_cast<REAL>(x), static_cast<REAL>(y), static_cast<REAL>(w), static_cast<REAL>(h) };
    GdipDrawString(g, text.c_str(), -1, font, &layout, format, brush);
    GdipDeleteBrush(brush);
    GdipDeleteStringFormat(format);
    GdipDeleteFont(font);
    GdipDeleteFontFamily(family);
}

// The bitmap's pixels, read as the program reads a bitmap (GetDIBits, 32
// bits a pixel, top row first), written as a PNG file.
bool WritePng(HBITMAP bitmap, int width, int height, const std::string& path)
{
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    const int read = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (read != height)
        return false;
    cairo_surface_t* img = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_surface_flush(img);
    unsigned char* data = cairo_image_surface_get_data(img);
    int stride = cairo_image_surface_get_stride(img);
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.data() + static_cast<std::size_t>(y) * width, width,
            reinterpret_cast<std::uint32_t*>(data + y * stride));
    cairo_surface_mark_dirty(img);
    bool ok = cairo_surface_write_to_png(img, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(img);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    std::string out = argc > 1 ? argv[1] : "figures.bmp";
    ULONG_PTR token = 0;
    GdiplusStartupInput input;
    if (GdiplusStartup(&token, &input, nullptr) != Ok) {
        std::fprintf(stderr, "figure_sheet: the drawing services did not start\n");
        return 1;
    }

    const int columns = static_cast<int>(std::size(kColumns));
    const int rows = static_cast<int>(std::size(kRows));
    const int width = kLabelWidth + columns * kCellWidth;
    const int height = kHeaderHeight + rows * kCellHeight;

    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap sheet;
    sheet.CreateBitmap(width, height, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&sheet);

    // A light checkerboard under every cell shows how translucent strokes are.
    dc.FillSolidRect(0, 0, width, height, RGB(250, 250, 247));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            for (int y = 0; y < kCellHeight - 8; y += 10)
                for (int x = 0; x < kCellWidth - 8; x += 10)
                    if (((x + y) / 10) % 2)
                        dc.FillSolidRect(kLabelWidth + c * kCellWidth + 4 + x, kHeaderHeight + r * kCellHeight + 4 + y,
                            10, 10, RGB(226, 228, 232));

    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const Column& col = kColumns[c];
            const Row& row = kRows[r];
            std::unique_ptr<CDrawObj> obj(CreateDrawObj(row.tool));
            obj->SetAlpha(AlphaFromPercent(col.opacity));
            if (obj->m_bFill)
                obj->SetBrush(row.color);
            obj->SetPen(PS_SOLID, col.width, row.color);
            obj->SetLineType(col.lineType);
            // Fed and finished exactly as the drawing board does it.
            for (const CPoint& p : PointsFor(row.tool, kLabelWidth + c * kCellWidth, kHeaderHeight + r * kCellHeight))
                obj->AddPoint(p.x, p.y, &dc);
            obj->DrawFinal(&dc);
        }
    }

    GpGraphics* g = nullptr;
    if (GdipCreateFromHDC(dc.GetSafeHdc(), &g) == Ok) {
        for (int c = 0; c < columns; ++c)
            Label(g, kColumns[c].title, kLabelWidth + c * kCellWidth, 0, kCellWidth, kHeaderHeight, 15.0f);
        for (int r = 0; r < rows; ++r)
            Label(g, kRows[r].title, 0, kHeaderHeight + r * kCellHeight, kLabelWidth, kCellHeight, 16.0f);
        GdipDeleteGraphics(g);
    }

    dc.SelectObject(old);
    bool png = out.size() > 4 && out.compare(out.size() - 4, 4, ".png") == 0;
    bool ok = png ? WritePng(sheet, width, height, out) : gdi::DumpBitmap(sheet, out);
    GdiplusShutdown(token);
    if (!ok) {
        std::fprintf(stderr, "figure_sheet: could not write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
