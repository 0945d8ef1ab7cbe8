// The uninstaller's QuerySettingString: a settings key that cannot be opened
// is not reported here; the caller tells the user what it could not find.
#include "settings.h"

int QuerySettingString(HKEY root, const char *valueName, char *buffer, size_t size)
{
    return ReadSettingString(root, valueName, buffer, size, NULL);
}
