#include "app/program/Start.h"

#include "platform/afx/WinApp.h"
#include "platform/x11/InstallScreen.h"

int StartInkveil(void (*onScreen)())
{
    // Without an X display there is nowhere to show anything; the screen
    // has already said why on the standard error stream.
    if (!platform::x11::InstallScreen())
        return 1;
    if (onScreen)
        onScreen();
    return AfxRunApplication();
}
