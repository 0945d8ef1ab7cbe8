// Replacing the product's shortcuts.
#include "setup.h"

void DeleteOldShortcuts(void)
{
}

void CreateProductShortcut(const char *, const char *, int, const char *)
{
}
