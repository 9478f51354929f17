// Draws the program's generated resources into res/ (or the folder given as
// the only argument) and prints what it wrote. With --sheet, draws the
// contact sheet of them all into docs/resources.png (or the file given
// after the flag) instead. With --icons FOLDER NAME, writes the program's
// icon as PNGs for the desktop's icon theme, FOLDER/<N>x<N>/apps/NAME.png
// at each size the theme's menus and launchers ask for.

#include "platform/headless/Driver.h"
#include "tools/resgen/ContactSheet.h"
#include "tools/resgen/Art.h"
#include "tools/resgen/Generator.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

int WriteThemeIcons(const std::filesystem::path& folder, const std::string& name)
{
    const int sizes[] = { 16, 32, 48, 64, 128, 256 };
    for (int size : sizes) {
        const std::string dir = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path png = folder / dir / "apps" / (name + ".png");
        resgen::WriteProgramIconPng(size, png);
        std::printf("%s\n", png.c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--icons") == 0) {
        if (argc != 4) {
            std::fprintf(stderr, "usage: %s --icons folder name\n", argv[0]);
            return 2;
        }
        // The icon is drawn with cairo alone: no screen is needed.
        try {
            return WriteThemeIcons(argv[2], argv[3]);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    const bool sheet = argc >= 2 && std::strcmp(argv[1], "--sheet") == 0;
    const int rest = argc - (sheet ? 2 : 1);
    if (rest > 1) {
        std::fprintf(stderr, "usage: %s [folder]\n       %s --sheet [file.png]\n       %s --icons folder name\n",
            argv[0], argv[0], argv[0]);
        return 2;
    }
    const char* given = rest == 1 ? argv[argc - 1] : nullptr;
    // The skins are laid out from the program's dialogs, which need a
    // screen to be built on; the generator needs no display, so the
    // in-memory one does (installed for as long as the driver lives).
    headless::Driver screen;
    try {
        if (sheet) {
            const std::filesystem::path png = given ? given : INKVEIL_SHEET_PATH;
            resgen::WriteContactSheet(resgen::ResourceGroups(), png);
            std::printf("%s\n", png.c_str());
            return 0;
        }
        const std::filesystem::path folder = given ? given : INKVEIL_RES_DIR;
        for (const std::string& file : resgen::WriteResources(folder))
            std::printf("%s\n", (folder / file).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
