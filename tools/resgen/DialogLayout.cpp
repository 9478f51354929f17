#include "tools/resgen/DialogLayout.h"

#include "platform/window/Dialogs.h"
#include "platform/window/Resources.h"
#include "platform/window/WinUser.h"
#include "res/ProgramResources.h"

#include <stdexcept>
#include <string>

namespace resgen {

namespace {

LONG_PTR QuietDialog(HWND, UINT, WPARAM, LPARAM) { return 0; }

const res::DialogTemplate& Template(UINT id)
{
    // Registration runs before main; asking again makes sure of it however
    // early the first layout is measured, and costs nothing.
    res::RegisterProgramResources();
    const res::DialogTemplate* t = res::FindDialog(res::Name { id, {} });
    if (!t)
        throw std::runtime_error("no dialog template " + std::to_string(id));
    return *t;
}

} // namespace

DialogLayout::DialogLayout(UINT templateId)
    : templateId_(templateId)
{
    // An empty, hidden dialog made from the template: the dialog manager
    // measures the template's font, and MapDialogRect applies its base
    // units to each control's rectangle.
    const res::DialogTemplate& full = Template(templateId);
    res::DialogTemplate bare = full;
    bare.items.clear();
    bare.style &= ~WS_VISIBLE;
    HWND dialog = CreateDialogIndirectParam(nullptr, &bare, nullptr, QuietDialog, 0);
    if (!dialog)
        throw std::runtime_error("cannot measure dialog template " + std::to_string(templateId));
    for (const res::DialogItem& item : full.items) {
        RECT r { item.x, item.y, item.x + item.cx, item.y + item.cy };
        MapDialogRect(dialog, &r);
        places_[item.id] = r;
    }
    DestroyWindow(dialog);
}

POINT DialogLayout::At(WORD controlId) const
{
    const RECT r = Rect(controlId);
    return POINT { r.left, r.top };
}

RECT DialogLayout::Rect(WORD controlId) const
{
    const auto it = places_.find(controlId);
    if (it == places_.end())
        throw std::runtime_error(
            "dialog template " + std::to_string(templateId_) + " has no control " + std::to_string(controlId));
    return it->second;
}

} // namespace resgen
