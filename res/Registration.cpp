// Turns the embedded resource files into registered resources at start-up.
// A file that does not decode is a fault of the build, not of the machine
// the program runs on, so it stops the program at once with the file's
// name instead of leaving a hole that shows up later as a missing picture.

#include "platform/gdi/BmpFile.h"
#include "res/EmbeddedFile.h"
#include "res/PointerFile.h"
#include "res/ProgramResources.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>

namespace res {

namespace {

[[noreturn]] void Broken(const EmbeddedFile& file, const char* why)
{
    std::fprintf(stderr, "inkveil: embedded resource %s (%s %s): %s\n", file.path, file.kind, file.name, why);
    std::abort();
}

// The list names resources by number ("142") or by name ("TOOLBAR").
Name ListedName(const char* text)
{
    Name name;
    if (std::strspn(text, "0123456789") == std::strlen(text))
        name.id = static_cast<UINT>(std::strtoul(text, nullptr, 10));
    else
        name = Name::From(text);
    return name;
}

// The depth the picture was stored at, from its header; the pixels come
// from the BMP reader.
int StoredDepth(const EmbeddedFile& file)
{
    constexpr std::size_t kBitCountOffset = 14 + 14; // file header, then biSize, width, height, planes
    return file.data[kBitCountOffset] | (file.data[kBitCountOffset + 1] << 8);
}

void RegisterBitmap(const EmbeddedFile& file)
{
    std::unique_ptr<gdi::Surface> surface = gdi::DecodeBmp(file.data, file.size);
    if (!surface)
        Broken(file, "not a BMP picture this program reads");
    Bitmap bitmap;
    bitmap.width = surface->Width();
    bitmap.height = surface->Height();
    bitmap.bitsPerPixel = StoredDepth(file);
    bitmap.pixels.reserve(static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height));
    for (int y = 0; y < bitmap.height; ++y)
        bitmap.pixels.insert(bitmap.pixels.end(), surface->Row(y), surface->Row(y) + bitmap.width);
    AddBitmap(ListedName(file.name), std::move(bitmap));
}

void RegisterPointer(const EmbeddedFile& file, void (*add)(Name, Pointer))
{
    std::optional<Pointer> pointer = DecodePointer(file.data, file.size);
    if (!pointer)
        Broken(file, "not a cursor or icon file");
    add(ListedName(file.name), std::move(*pointer));
}

void RegisterFile(const EmbeddedFile& file)
{
    if (std::strcmp(file.kind, "bitmap") == 0)
        RegisterBitmap(file);
    else if (std::strcmp(file.kind, "cursor") == 0)
        RegisterPointer(file, AddCursor);
    else if (std::strcmp(file.kind, "icon") == 0)
        RegisterPointer(file, AddIcon);
    else
        Broken(file, "unknown kind of resource");
}

// Runs before main, as part of the static initialisation of the program.
[[maybe_unused]] const bool registeredAtStartUp = (RegisterProgramResources(), true);

} // namespace

void RegisterProgramResources()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (std::size_t i = 0; i < kEmbeddedFileCount; ++i)
            RegisterFile(kEmbeddedFiles[i]);
        AddProgramDialogs();
        AddProgramStrings();
    });
}

} // namespace res
