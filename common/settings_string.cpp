// The settings-key string read behind both programs' QuerySettingString. A
// file of its own, so that a program takes only its two texts with it.
#include "settings.h"

#include "product.h"

int ReadSettingString(HKEY root, const char *valueName, char *buffer, size_t size,
                      MissingKeyReport reportMissingKey)
{
    if (!buffer) {
        ShowMessage(MSG_QUERY_SZ_INVALID_BUFFER, MB_OK | MB_ICONERROR);
        return 0;
    }
    LONG status;
    if (ReadRegistryString(root, SETTINGS_KEY_PATH, 1, valueName, buffer, size, &status))
        return 1;
    if (reportMissingKey && status != ERROR_SUCCESS) {
        SetLastError(status);
        reportMissingKey(MSG_QUERY_SZ_NO_KEY);
    }
    return 0;
}
