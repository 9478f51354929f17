#include "tools/play/Windows.h"

#include "platform/afx/Dialog.h"

#include <cstdint>

namespace play {

namespace {

int TemplateOf(HWND hwnd)
{
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hwnd));
    if (!dialog || !dialog->m_lpszTemplateName || !IS_INTRESOURCE(dialog->m_lpszTemplateName))
        return 0;
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(dialog->m_lpszTemplateName));
}

// Every window below parent (null: the desktop), depth first, each
// level in z-order.
void Walk(HWND first, std::vector<HWND>& out)
{
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT)) {
        out.push_back(w);
        Walk(GetWindow(w, GW_CHILD), out);
    }
}

} // namespace

WindowInfo Describe(HWND hwnd)
{
    WindowInfo info;
    info.hwnd = hwnd;
    info.templateId = TemplateOf(hwnd);
    const int length = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    info.name = text;
    GetWindowRect(hwnd, &info.rect);
    info.visible = IsWindowVisible(hwnd) != FALSE;
    return info;
}

std::vector<WindowInfo> TopLevelWindows()
{
    std::vector<WindowInfo> list;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
        list.push_back(Describe(w));
    return list;
}

HWND FindDialog(int templateId)
{
    std::vector<HWND> all;
    Walk(GetTopWindow(nullptr), all);
    HWND hidden = nullptr;
    for (HWND w : all) {
        if (TemplateOf(w) != templateId)
            continue;
        if (IsWindowVisible(w))
            return w;
        if (!hidden)
            hidden = w;
    }
    return hidden;
}

HWND FindNamed(const std::string& name)
{
    HWND hidden = nullptr;
    for (const WindowInfo& w : TopLevelWindows()) {
        if (w.name != name)
            continue;
        if (w.visible)
            return w.hwnd;
        if (!hidden)
            hidden = w.hwnd;
    }
    return hidden;
}

std::string DescribeLine(const WindowInfo& w)
{
    std::string line = w.templateId ? "dialog " + std::to_string(w.templateId) + " \"" + w.name + "\""
                                     : "window \"" + w.name + "\"";
    line += " at " + std::to_string(w.rect.left) + " " + std::to_string(w.rect.top) + " "
        + std::to_string(w.rect.right - w.rect.left) + " " + std::to_string(w.rect.bottom - w.rect.top);
    line += w.visible ? " visible" : " hidden";
    return line;
}

void PrintWindows(std::ostream& out)
{
    int z = 1;
    for (const WindowInfo& w : TopLevelWindows())
        out << "  z" << z++ << ": " << DescribeLine(w) << "\n";
}

} // namespace play
