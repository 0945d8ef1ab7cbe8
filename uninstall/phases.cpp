// The confirmation phase, the start of the temporary copy, and the order of
// the removal phase's stages.
#include "uninstall.h"

void RunConfirmationPhase(void)
{
}

int StartTemporaryCopy(void)
{
    return 0;
}

void RunRemovalPhase(void)
{
}
