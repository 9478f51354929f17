#include "tools/play/Checks.h"

#include "app/InkveilApp.h"
#include "app/InkveilDlg.h"
#include "camera/VideoDlg.h"
#include "platform/gdi/BmpFile.h"
#include "skin/DialogTip.h"
#include "tools/play/Windows.h"

#include <cairo.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace play {

namespace fs = std::filesystem;

namespace {

fs::path UnderOut(const std::string& path, const fs::path& outDir)
{
    const fs::path p(path);
    return p.is_absolute() ? p : outDir / p;
}

std::string Rect(int x, int y, int w, int h)
{
    return std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " + std::to_string(h);
}

std::int32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8
        | static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24);
}

} // namespace

std::string Hex(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "%06X", rgb & 0xFFFFFFu);
    return text;
}

Outcome CheckPixel(const gdi::Surface& screen, const Command& c)
{
    const std::uint32_t got = screen.At(c.numbers[0], c.numbers[1]) & 0xFFFFFF;
    const int tolerance = c.numbers[2];
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((got >> shift) & 0xFF), b = static_cast<int>((c.rgb >> shift) & 0xFF);
        if (std::abs(a - b) > tolerance) {
            std::string wanted = "pixel " + std::to_string(c.numbers[0]) + " " + std::to_string(c.numbers[1]) + " "
                + Hex(c.rgb);
            if (tolerance)
                wanted += " (within " + std::to_string(tolerance) + ")";
            return "expected " + wanted + ", got " + Hex(got);
        }
    }
    return std::nullopt;
}

Outcome CheckFile(const Command& c, const fs::path& outDir)
{
    const fs::path file = UnderOut(c.text, outDir);
    const std::string wanted = "file " + c.text + " bmp " + std::to_string(c.numbers[0]) + " "
        + std::to_string(c.numbers[1]) + " " + std::to_string(c.numbers[2]);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return "expected " + wanted + ", got no file";
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The program's own reader decides whether it is a picture at all.
    std::unique_ptr<gdi::Surface> picture = gdi::DecodeBmp(bytes.data(), bytes.size());
    if (!picture || bytes.size() < 30)
        return "expected " + wanted + ", got a file of " + std::to_string(bytes.size())
            + " bytes that is no BMP picture";
    const int bits = bytes[28] | bytes[29] << 8;
    const std::int32_t width = Le32(bytes, 18), height = std::abs(Le32(bytes, 22));
    if (width != c.numbers[0] || height != c.numbers[1] || bits != c.numbers[2])
        return "expected " + wanted + ", got bmp " + std::to_string(width) + " " + std::to_string(height) + " "
            + std::to_string(bits);
    return std::nullopt;
}

Outcome CheckNoFile(const Command& c, const fs::path& outDir)
{
    std::error_code ec;
    if (fs::exists(UnderOut(c.text, outDir), ec))
        return "expected nofile " + c.text + ", got a file there";
    return std::nullopt;
}

Outcome CheckWindow(const Command& c)
{
    const std::string which = c.byTemplate ? "dialog " + std::to_string(c.numbers[0]) : "window \"" + c.text + "\"";
    HWND hwnd = c.byTemplate ? FindDialog(c.numbers[0]) : FindNamed(c.text);
    const char* states[] = { "visible", "hidden", "absent" };
    std::string wanted = which + " " + states[static_cast<int>(c.visibility)];
    if (c.withRect)
        wanted += " at " + Rect(c.numbers[1], c.numbers[2], c.numbers[3], c.numbers[4]);
    if (!hwnd)
        return c.visibility == Visibility::Absent ? std::nullopt : Outcome("expected " + wanted + ", got absent");
    const WindowInfo w = Describe(hwnd);
    const Visibility got = w.visible ? Visibility::Visible : Visibility::Hidden;
    const int width = w.rect.right - w.rect.left, height = w.rect.bottom - w.rect.top;
    const bool rectHolds = !c.withRect
        || (w.rect.left == c.numbers[1] && w.rect.top == c.numbers[2] && width == c.numbers[3]
            && height == c.numbers[4]);
    if (got == c.visibility && rectHolds)
        return std::nullopt;
    return "expected " + wanted + ", got " + states[static_cast<int>(got)] + " at "
        + Rect(w.rect.left, w.rect.top, width, height);
}

Outcome CheckSetting(const Command& c)
{
    CInkveilApp* app = InkveilApp();
    const char* names[] = { "penwidth", "colour", "alpha", "linetype" };
    const std::string name = names[static_cast<int>(c.setting)];
    std::string wanted, got;
    switch (c.setting) {
    case Setting::PenWidth:
        wanted = std::to_string(c.numbers[0]);
        got = std::to_string(app->m_nPenWidth);
        break;
    case Setting::Colour:
        wanted = Hex(c.rgb);
        got = Hex(static_cast<std::uint32_t>(GetRValue(app->m_crColor)) << 16
            | static_cast<std::uint32_t>(GetGValue(app->m_crColor)) << 8 | GetBValue(app->m_crColor));
        break;
    case Setting::Alpha:
        wanted = std::to_string(c.numbers[0]);
        got = std::to_string(app->m_nAlphaPercent);
        break;
    case Setting::LineType:
        // The palette keeps the line type and hands it to whichever surface
        // draws.
        wanted = std::to_string(c.numbers[0]);
        if (!app->m_pMainDlg || !app->m_pMainDlg->m_pPalette)
            return "expected setting linetype " + wanted + ", got no palette";
        got = std::to_string(app->m_pMainDlg->m_pPalette->LineType());
        break;
    }
    if (wanted == got)
        return std::nullopt;
    return "expected setting " + name + " " + wanted + ", got " + got;
}

Outcome CheckTip(const Command& c)
{
    for (const WindowInfo& w : TopLevelWindows()) {
        auto* tip = dynamic_cast<CDialogTip*>(CWnd::FromHandlePermanent(w.hwnd));
        if (!tip || !w.visible)
            continue;
        if (tip->m_strText.str() == c.text)
            return std::nullopt;
        return "expected tip \"" + c.text + "\", got \"" + tip->m_strText.str() + "\"";
    }
    return "expected tip \"" + c.text + "\", got no tip";
}

bool WritePng(const gdi::Surface& screen, const fs::path& file)
{
    std::error_code ec;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    // The screen's pixels are 0x00RRGGBB words, which is cairo's RGB24.
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, screen.Width());
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, screen.Width(), screen.Height());
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    for (int y = 0; y < screen.Height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < screen.Width(); ++x)
            row[x] = screen.At(x, y) & 0xFFFFFF;
    }
    cairo_surface_mark_dirty(image);
    const bool written = cairo_surface_write_to_png(image, file.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(image);
    return written;
}

} // namespace play
