#include "tools/resgen/Generator.h"

#include "tools/resgen/Art.h"
#include "tools/resgen/PaletteArt.h"
#include "tools/resgen/PanelArt.h"
#include "tools/resgen/PopupArt.h"
#include "tools/resgen/ToolbarArt.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace resgen {

namespace {

std::vector<ResourceGroup> Collect()
{
    return {
        { "The program's icon, cursors and eraser",
            {
                { "icon", "128", "icon/program.ivpt", "The program's icon: a page with writing and a pencil.",
                    ProgramIcon },
                { "cursor", "137", "cursor/pencil.ivpt", "The drawing cursor: a pencil, hot spot at its point.",
                    PencilCursor },
                { "bitmap", "142", "bitmap/eraser_mask.bmp", "The eraser window's shape: a black block on white.",
                    EraserMask },
                { "cursor", "156", "cursor/blank.ivpt", "A blank cursor: nothing visible.", BlankCursor },
            } },
        { "The tool palette", PaletteResources() },
        { "The line type and transparency choosers, and the tip", PopupResources() },
        { "The camera toolbar", ToolbarResources() },
        { "The image adjustment panel", AdjustmentPanelResources() },
    };
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
    for (const ResourceGroup& group : ResourceGroups()) {
        list << "\n\n# ---- " << group.heading << " ----\n";
        for (const Resource& r : group.resources)
            list << "\n# " << r.about << "\n" << r.kind << "  " << r.name << "  " << r.file << "\n";
    }
    return list.str();
}

} // namespace

const std::vector<ResourceGroup>& ResourceGroups()
{
    static const std::vector<ResourceGroup> all = Collect();
    return all;
}

std::vector<std::string> WriteResources(const std::filesystem::path& folder)
{
    std::vector<std::string> written;
    for (const ResourceGroup& group : ResourceGroups())
        for (const Resource& r : group.resources) {
            const Bytes bytes = r.draw();
            WriteFile(folder / r.file, bytes.data(), bytes.size());
            written.emplace_back(r.file);
        }
    const std::string list = ResourceList();
    WriteFile(folder / "resources.list", list.data(), list.size());
    written.emplace_back("resources.list");
    return written;
}

} // namespace resgen
