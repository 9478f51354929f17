// Draws the program's generated resources into res/ (or the folder given as
// the only argument) and prints what it wrote.

#include "tools/resgen/Generator.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: %s [folder]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argc == 2 ? argv[1] : INKVEIL_RES_DIR;
    try {
        for (const std::string& file : resgen::WriteResources(folder))
            std::printf("%s\n", (folder / file).c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
