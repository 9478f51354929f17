#include "platform/window/SaveName.h"

namespace ws::dlg {

namespace {

std::string_view LastComponent(std::string_view name)
{
    std::size_t slash = name.find_last_of('/');
    return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

} // namespace

bool SaveName::HasExtension(std::string_view name) { return LastComponent(name).find('.') != std::string_view::npos; }

std::string SaveName::WithDefaultExtension(std::string_view name, const char* defaultExtension)
{
    std::string out(name);
    std::string_view ext = defaultExtension ? defaultExtension : "";
    while (!ext.empty() && ext.front() == '.')
        ext.remove_prefix(1);
    if (!ext.empty() && !HasExtension(name)) {
        out += '.';
        out += ext;
    }
    return out;
}

std::filesystem::path SaveName::Resolve(const std::filesystem::path& folder, std::string_view typed)
{
    std::filesystem::path p { std::u8string(typed.begin(), typed.end()) };
    if (p.is_relative())
        p = folder / p;
    return p.lexically_normal();
}

SaveName::Offsets SaveName::OffsetsOf(std::string_view path)
{
    Offsets out;
    std::size_t slash = path.find_last_of('/');
    out.fileName = slash == std::string_view::npos ? 0 : static_cast<unsigned>(slash + 1);
    std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || dot < out.fileName)
        out.extension = static_cast<unsigned>(path.size());
    else if (dot + 1 == path.size())
        out.extension = 0;
    else
        out.extension = static_cast<unsigned>(dot + 1);
    return out;
}

} // namespace ws::dlg
