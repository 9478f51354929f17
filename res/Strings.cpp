// The program's string table.

#include "res/ProgramResources.h"

#include "platform/window/Resources.h"

namespace res {

void AddProgramStrings()
{
    // The item the main window adds to its system menu ("About Inkveil").
    AddString(101, "关于 Inkveil(&A)...");
}

} // namespace res
