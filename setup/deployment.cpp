// Copying the distribution into the install folder.
#include "setup.h"

void DeployFiles(void)
{
}
