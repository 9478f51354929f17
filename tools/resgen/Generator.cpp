#include "tools/resgen/Generator.h"

#include "tools/resgen/Art.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace resgen {

namespace {

struct Generated {
    const char* kind; // as the resource list names it
    const char* name;
    const char* file; // relative to res/
    const char* about;
    Bytes (*draw)();
};

// Every resource the generator draws, in the order of the list.
const std::vector<Generated>& Resources()
{
    static const std::vector<Generated> all = {
        { "icon", "128", "icon/program.ivpt", "The program's icon: a page with writing and a pencil.", ProgramIcon },
        { "cursor", "137", "cursor/pencil.ivpt", "The drawing cursor: a pencil, hot spot at its point.", PencilCursor },
        { "bitmap", "142", "bitmap/eraser_mask.bmp", "The eraser window's shape: a black block on white.", EraserMask },
        { "cursor", "156", "cursor/blank.ivpt", "A blank cursor: nothing visible.", BlankCursor },
    };
    return all;
}

void WriteFile(const std::filesystem::path& path, const void* data, std::size_t size)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::string ResourceList()
{
    std::ostringstream list;
    list << "# The program's resource files, compiled into the program by\n"
            "# cmake/EmbedResources.cmake. Written by tools/resgen: change the\n"
            "# generator and run it again rather than editing this list.\n"
            "#\n"
            "# kind    id or name    file (under res/)\n";
    for (const Generated& g : Resources())
        list << "\n# " << g.about << "\n" << g.kind << "  " << g.name << "  " << g.file << "\n";
    return list.str();
}

} // namespace

std::vector<std::string> WriteResources(const std::filesystem::path& folder)
{
    std::vector<std::string> written;
    for (const Generated& g : Resources()) {
        const Bytes bytes = g.draw();
        WriteFile(folder / g.file, bytes.data(), bytes.size());
        written.emplace_back(g.file);
    }
    const std::string list = ResourceList();
    WriteFile(folder / "resources.list", list.data(), list.size());
    written.emplace_back("resources.list");
    return written;
}

} // namespace resgen
