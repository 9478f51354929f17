#include "app/program/Start.h"

#include "platform/afx/WinApp.h"
#include "platform/window/FileChoosers.h"
#include "platform/x11/InstallScreen.h"

#include <memory>

int StartInkveil(void (*onScreen)())
{
    // Without an X display there is nowhere to show anything; the screen
    // has already said why on the standard error stream.
    if (!platform::x11::InstallScreen())
        return 1;
    // Save dialogs use the desktop's own file chooser where the session
    // has one (INKVEIL_FILE_DIALOG=builtin keeps the built-in dialog).
    platform::UseFileChoosers(std::make_shared<platform::desktop::ChooserPolicy>(
        platform::desktop::ChooserEnvironment::FromProcess("INKVEIL_FILE_DIALOG")));
    if (onScreen)
        onScreen();
    return AfxRunApplication();
}
