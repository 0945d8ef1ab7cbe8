// The installer's QuerySettingString: a settings key that cannot be opened
// is reported with the system's text.
#include "settings.h"

int QuerySettingString(HKEY root, const char *valueName, char *buffer, size_t size)
{
    return ReadSettingString(root, valueName, buffer, size, ShowSystemError);
}
