// The uninstaller's main routine: the command line picks the phase and
// whether anybody watches it.
#include <windows.h>

#include "command_line.h"
#include "message_box.h"
#include "paths.h"
#include "product.h"
#include "run_log.h"
#include "single_run.h"
#include "uninstall.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // A copy: one address to relocate, not one for each use.
    const CommandLine switches = g_switches;
    OpenRunLog(switches.log, UNINSTALL_EXE_NAME);
    if (switches.silent)
        ShowNoMessages();
    // Only setup asks whether another run is going on.
    MarkProductRun();
    if (FindText(GetCommandLineA(), REMOVAL_PHASE_SWITCH))
        return RunRemovalPhase(&switches);
    return RunConfirmationPhase(&switches);
}
