// The batch script that deletes the temporary copy once it has exited.
#include "uninstall.h"

void StartCleanupScript(void)
{
}
