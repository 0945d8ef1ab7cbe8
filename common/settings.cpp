// The settings-key operations both programs share.
#include "settings.h"

#include "paths.h"
#include "product.h"

// Opens (creating when missing) the settings key under root.
static LONG OpenSettingsKey(HKEY root, REGSAM access, HKEY *key)
{
    return RegCreateKeyExA(root, SETTINGS_KEY_PATH, 0, NULL, REG_OPTION_NON_VOLATILE,
                           access, NULL, key, NULL);
}

int WriteSettingString(HKEY root, const char *valueName, const char *text)
{
    if (!text) {
        ShowMessage(MSG_WRITE_SZ_INVALID_VALUE, MB_OK | MB_ICONERROR);
        return 0;
    }
    HKEY key;
    LONG status = OpenSettingsKey(root, KEY_SET_VALUE, &key);
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ShowSystemError(MSG_WRITE_SZ_NO_KEY);
        return 0;
    }
    status = RegSetValueExA(key, valueName, 0, REG_SZ, (const BYTE *)text,
                            lstrlenA(text) + 1);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ShowSystemError(MSG_WRITE_SZ_NO_SET);
        return 0;
    }
    return 1;
}

DWORD QuerySettingDword(HKEY root, const char *valueName)
{
    HKEY key;
    LONG status = OpenSettingsKey(root, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS) {
        SetLastError(status);
        ShowSystemError(MSG_QUERY_DW_NO_KEY);
        return SETTING_NO_VALUE;
    }
    DWORD number = 0;
    DWORD size = sizeof(number);
    status = RegQueryValueExA(key, valueName, NULL, NULL, (BYTE *)&number, &size);
    RegCloseKey(key);
    // Fewer than four bytes would leave part of the number undefined.
    if (status != ERROR_SUCCESS || size != sizeof(number))
        return SETTING_NO_VALUE;
    return number;
}

int WriteRegistryValue(HKEY root, const char *subkey, const char *valueName,
                       const char *text, DWORD number)
{
    HKEY key;
    LONG status = RegCreateKeyExA(root, subkey, 0, NULL, REG_OPTION_NON_VOLATILE,
                                  KEY_SET_VALUE, NULL, &key, NULL);
    if (status != ERROR_SUCCESS)
        return 0;
    if (text)
        status = RegSetValueExA(key, valueName, 0, REG_SZ, (const BYTE *)text,
                                lstrlenA(text) + 1);
    else
        status = RegSetValueExA(key, valueName, 0, REG_DWORD, (const BYTE *)&number,
                                sizeof(number));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}
