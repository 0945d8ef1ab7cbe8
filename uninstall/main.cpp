// The uninstaller's main routine: the command line picks the phase.
#include <windows.h>

#include "paths.h"
#include "product.h"
#include "uninstall.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (FindText(GetCommandLineA(), REMOVAL_PHASE_SWITCH))
        RunRemovalPhase();
    else
        RunConfirmationPhase();
    return 1;
}
