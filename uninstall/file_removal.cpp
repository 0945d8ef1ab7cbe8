// Removing the installed files and folders.
#include "uninstall.h"

void RemoveInstalledFiles(const char *)
{
}
