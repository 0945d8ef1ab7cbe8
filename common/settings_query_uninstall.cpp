// The uninstaller's QuerySettingString: a settings key that cannot be opened
// is not reported here; the caller tells the user what it could not find.
#include "settings.h"

#include "product.h"

int QuerySettingString(HKEY root, const char *valueName, char *buffer)
{
    if (!buffer) {
        ShowMessage(MSG_QUERY_SZ_INVALID_BUFFER, MB_OK | MB_ICONERROR);
        return 0;
    }
    return ReadRegistryString(root, SETTINGS_KEY_PATH, 1, valueName, buffer, NULL);
}
