#include "tools/resgen/ContactSheet.h"

#include "platform/gdi/BmpFile.h"
#include "res/PointerFile.h"
#include "tools/resgen/Lettering.h"
#include "tools/resgen/Paint.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace resgen {

namespace {

constexpr int kScale = 2;
constexpr int kSheetWidth = 1540;
constexpr int kMargin = 24;
constexpr int kGap = 20;
constexpr int kCaptionHeight = 24;
constexpr int kHeadingHeight = 40;
// Pictures taller than this stand at the left, with the others beside them.
constexpr int kTall = 600;
constexpr std::uint32_t kSheet = 0xF4F5F7;
constexpr std::uint32_t kFrame = 0xC3C8CF;

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Image = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// One picture (or a part of a wide one) with its caption, and where it goes.
struct Tile {
    std::string title; // the id or name
    std::string detail; // the size
    Image image; // at its own size
    int left = 0, width = 0, height = 0; // the part shown, in the image's pixels
    bool checkered = false;
    int x = 0, y = 0;

    int PictureWidth() const { return width * kScale; }
    int Width() const
    {
        return std::max(PictureWidth(), InterfaceFont(13, true).Width(title) + 8 + InterfaceFont(12).Width(detail));
    }
    int Height() const { return height * kScale + kCaptionHeight; }
};

Image FromSurface(const gdi::Surface& s)
{
    Image image(cairo_image_surface_create(CAIRO_FORMAT_RGB24, s.Width(), s.Height()));
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < s.Height(); ++y)
        std::copy(s.Row(y), s.Row(y) + s.Width(), reinterpret_cast<std::uint32_t*>(data + y * stride));
    cairo_surface_mark_dirty(image.get());
    return image;
}

Image FromPointer(const res::Pointer& p)
{
    Image image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, p.width, p.height));
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            // Cairo keeps premultiplied colour.
            const std::uint32_t argb = p.argb[static_cast<std::size_t>(y * p.width + x)];
            const std::uint32_t a = argb >> 24;
            std::uint32_t out = a << 24;
            for (int shift : { 16, 8, 0 })
                out |= ((((argb >> shift) & 0xFF) * a + 127) / 255) << shift;
            reinterpret_cast<std::uint32_t*>(data + y * stride)[x] = out;
        }
    cairo_surface_mark_dirty(image.get());
    return image;
}

// The tiles of one resource: one, or several side by side parts of a
// picture too wide for the sheet.
std::vector<Tile> TilesOf(const Resource& r)
{
    const Bytes bytes = r.draw();
    Image image;
    bool pointer = r.kind != "bitmap";
    if (pointer) {
        const std::optional<res::Pointer> p = res::DecodePointer(bytes.data(), bytes.size());
        if (!p)
            throw std::runtime_error(r.file + " does not decode");
        image = FromPointer(*p);
    } else {
        const std::unique_ptr<gdi::Surface> s = gdi::DecodeBmp(bytes.data(), bytes.size());
        if (!s)
            throw std::runtime_error(r.file + " does not decode");
        image = FromSurface(*s);
    }
    const int w = cairo_image_surface_get_width(image.get()), h = cairo_image_surface_get_height(image.get());
    const std::string size = std::to_string(w) + " × " + std::to_string(h);
    const int widest = (kSheetWidth - 2 * kMargin) / kScale;
    const int parts = (w + widest - 1) / widest;
    std::vector<Tile> tiles;
    for (int i = 0; i < parts; ++i) {
        Tile t;
        t.title = r.name;
        t.detail = parts == 1 ? size : size + ", part " + std::to_string(i + 1) + " of " + std::to_string(parts);
        t.image.reset(cairo_surface_reference(image.get()));
        t.left = w * i / parts;
        t.width = w * (i + 1) / parts - t.left;
        t.height = h;
        t.checkered = pointer;
        tiles.push_back(std::move(t));
    }
    return tiles;
}

struct Heading {
    std::string text;
    int x, y;
};

// Places tiles in rows under their headings; a tall tile stands at the left
// and the rows run on beside it until they pass its foot.
class Layout {
public:
    void Head(const std::string& text)
    {
        if (x_ != LeftAt(y_))
            NewRow();
        headings.push_back(Heading { text, LeftAt(y_), y_ });
        y_ += kHeadingHeight;
        x_ = LeftAt(y_);
    }

    void Place(Tile& t)
    {
        if (t.Height() > kTall && floatBottom_ <= y_) {
            if (x_ != LeftAt(y_))
                NewRow();
            t.x = kMargin;
            t.y = y_;
            floatRight_ = kMargin + t.Width() + kGap;
            floatBottom_ = y_ + t.Height() + kGap;
            x_ = floatRight_;
            return;
        }
        if (x_ != LeftAt(y_) && x_ + t.Width() > kSheetWidth - kMargin)
            NewRow();
        t.x = x_;
        t.y = y_;
        x_ += t.Width() + kGap;
        rowHeight_ = std::max(rowHeight_, t.Height());
    }

    int Height() const { return std::max(y_ + rowHeight_, floatBottom_) + kMargin; }

    std::vector<Heading> headings;

private:
    int LeftAt(int y) const { return y < floatBottom_ ? floatRight_ : kMargin; }
    void NewRow()
    {
        y_ += rowHeight_ + kGap;
        rowHeight_ = 0;
        x_ = LeftAt(y_);
    }

    int x_ = kMargin, y_ = kMargin, rowHeight_ = 0;
    int floatRight_ = kMargin, floatBottom_ = 0;
};

void DrawTile(cairo_t* cr, const Tile& t)
{
    const int w = t.PictureWidth(), h = t.height * kScale;
    FrameBox(cr, t.x - 1, t.y - 1, t.x + w + 1, t.y + h + 1, kFrame);
    if (t.checkered)
        for (int cy = 0; cy < h; cy += 8)
            for (int cx = 0; cx < w; cx += 8)
                FillBox(cr, t.x + cx, t.y + cy, t.x + std::min(cx + 8, w), t.y + std::min(cy + 8, h),
                    (cx / 8 + cy / 8) % 2 ? 0xE2E5E9 : 0xFFFFFF);
    cairo_save(cr);
    cairo_rectangle(cr, t.x, t.y, w, h);
    cairo_clip(cr);
    cairo_translate(cr, t.x, t.y);
    cairo_scale(cr, kScale, kScale);
    cairo_set_source_surface(cr, t.image.get(), -t.left, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);

    const int baseline = t.y + h + 17;
    const Lettering& title = InterfaceFont(13, true);
    SetColor(cr, 0x23272C);
    title.Draw(cr, t.title, t.x, baseline);
    SetColor(cr, 0x6B737C);
    InterfaceFont(12).Draw(cr, t.detail, t.x + title.Width(t.title) + 8, baseline);
}

} // namespace

void WriteContactSheet(const std::vector<ResourceGroup>& groups, const std::filesystem::path& png)
{
    std::vector<std::vector<Tile>> tiles;
    Layout layout;
    for (const ResourceGroup& group : groups) {
        layout.Head(group.heading);
        tiles.emplace_back();
        for (const Resource& r : group.resources)
            for (Tile& t : TilesOf(r)) {
                layout.Place(t);
                tiles.back().push_back(std::move(t));
            }
    }

    Image sheet(cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, layout.Height()));
    cairo_t* cr = cairo_create(sheet.get());
    Flood(cr, kSheet);
    const Lettering& heading = InterfaceFont(18, true);
    SetColor(cr, 0x23272C);
    for (const Heading& h : layout.headings)
        heading.Draw(cr, h.text, h.x, h.y + 22);
    for (const auto& group : tiles)
        for (const Tile& t : group)
            DrawTile(cr, t);
    cairo_destroy(cr);
    std::filesystem::create_directories(png.parent_path());
    if (cairo_surface_write_to_png(sheet.get(), png.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + png.string());
}

} // namespace resgen
