#include "platform/window/ControlClasses.h"

#include "platform/window/ButtonControl.h"
#include "platform/window/ComboBoxControl.h"
#include "platform/window/Controls.h"
#include "platform/window/EditControl.h"
#include "platform/window/ListBoxControl.h"
#include "platform/window/StaticControl.h"
#include "platform/window/ToolTipControl.h"
#include "platform/window/WindowClass.h"

#include <cstring>
#include <strings.h>

namespace ws::ctl {

namespace {

struct ClassEntry {
    const char* name;
    WNDPROC proc;
    const char* cursor;
};

// Every window of these classes keeps its object in one extra slot.
const ClassEntry kClasses[] = {
    { WC_BUTTON, ControlProc<ButtonControl>, IDC_ARROW },
    { WC_STATIC, ControlProc<StaticControl>, IDC_ARROW },
    { WC_LISTBOX, ControlProc<ListBoxControl>, IDC_ARROW },
    { WC_COMBOBOX, ControlProc<ComboBoxControl>, IDC_ARROW },
    { ComboBoxControl::kListClass, ComboBoxControl::ListProc, IDC_ARROW },
    { WC_EDIT, ControlProc<EditControl>, IDC_IBEAM },
    { TOOLTIPS_CLASS, ControlProc<ToolTipControl>, IDC_ARROW },
};

void Provide(const std::string& name)
{
    for (const ClassEntry& c : kClasses) {
        if (strcasecmp(c.name, name.c_str()) != 0)
            continue;
        WNDCLASS wc {};
        wc.lpfnWndProc = c.proc;
        wc.cbWndExtra = sizeof(void*);
        wc.hCursor = LoadCursor(nullptr, c.cursor);
        wc.lpszClassName = c.name;
        RegisterClass(&wc);
        return;
    }
}

const bool g_provided = (AddClassProvider(Provide), true);

} // namespace

void EnsureControlClasses() { (void)g_provided; }

} // namespace ws::ctl
