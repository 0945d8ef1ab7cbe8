// Recording the installation in the registry.
#include "setup.h"

void RegisterInstallation(void)
{
}
