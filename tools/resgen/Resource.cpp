#include "tools/resgen/Resource.h"

#include "platform/gdi/BmpFile.h"

#include <memory>

namespace resgen {

Bytes Bitmap24(const gdi::Surface& picture) { return gdi::EncodeBmp(picture, 24); }

Resource BitmapResource(std::string name, std::string file, std::string about,
    std::function<std::unique_ptr<gdi::Surface>()> draw)
{
    return Resource { "bitmap", std::move(name), "bitmap/" + std::move(file), std::move(about),
        [draw = std::move(draw)] { return Bitmap24(*draw()); } };
}

Resource SkinResource(std::string name, std::string file, std::string about, const gdi::Surface& (*skin)())
{
    return Resource { "bitmap", std::move(name), "bitmap/" + std::move(file), std::move(about),
        [skin] { return Bitmap24(skin()); } };
}

} // namespace resgen
