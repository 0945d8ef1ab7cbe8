// Removing the product's shortcuts and registry keys.
#include "uninstall.h"

void RemoveShortcuts(void)
{
}

void RemoveRegistryEntries(void)
{
}

void DeleteKeyTree(HKEY, const char *)
{
}
