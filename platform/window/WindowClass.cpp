#include "platform/window/WindowClass.h"

#include "platform/window/ControlClasses.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <vector>

namespace ws {

namespace {

std::string Folded(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::map<std::string, WindowClass>& Classes()
{
    static std::map<std::string, WindowClass> classes;
    return classes;
}

std::vector<std::function<void(const std::string&)>>& Providers()
{
    static std::vector<std::function<void(const std::string&)>> providers;
    return providers;
}

} // namespace

const WindowClass* FindClass(const std::string& name)
{
    // The system's control classes live in this library too; naming them
    // here keeps them in every program that makes windows.
    ctl::EnsureControlClasses();
    std::string key = Folded(name);
    auto it = Classes().find(key);
    if (it == Classes().end()) {
        for (const auto& provide : Providers())
            provide(name);
        it = Classes().find(key);
    }
    return it == Classes().end() ? nullptr : &it->second;
}

void AddClassProvider(std::function<void(const std::string&)> provider) { Providers().push_back(std::move(provider)); }

} // namespace ws

using namespace ws;

ATOM RegisterClass(const WNDCLASS* wc)
{
    if (!wc || !wc->lpszClassName || !wc->lpfnWndProc || !*wc->lpszClassName)
        return 0;
    std::string key = Folded(wc->lpszClassName);
    if (Classes().count(key))
        return 0; // already registered
    WindowClass c;
    c.name = wc->lpszClassName;
    c.style = wc->style;
    c.proc = wc->lpfnWndProc;
    c.cursor = wc->hCursor;
    c.icon = wc->hIcon;
    c.background = wc->hbrBackground;
    c.extraBytes = wc->cbWndExtra;
    Classes().emplace(key, std::move(c));
    return static_cast<ATOM>(0xC000 + Classes().size());
}

BOOL UnregisterClass(const char* className, HINSTANCE)
{
    return className && Classes().erase(Folded(className)) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, const char* className, WNDCLASS* out)
{
    const WindowClass* c = className ? FindClass(className) : nullptr;
    if (!c || !out)
        return FALSE;
    *out = WNDCLASS {};
    out->style = c->style;
    out->lpfnWndProc = c->proc;
    out->hCursor = c->cursor;
    out->hIcon = c->icon;
    out->hbrBackground = c->background;
    out->cbWndExtra = c->extraBytes;
    out->lpszClassName = c->name.c_str();
    return TRUE;
}
