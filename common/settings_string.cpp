// The bounded read of registry strings, and the settings-key string read
// behind both programs' QuerySettingString. A file of its own, so that a
// program that writes nothing takes none of the writers and their texts.
#include "settings.h"

#include "product.h"

// Reads a string value from an open key into a buffer of cap characters,
// always leaving it terminated; values that are not strings or do not fit
// are refused and leave the buffer empty.
static int ReadStringValue(HKEY key, const char *valueName, char *buffer, size_t cap)
{
    DWORD type = REG_NONE;
    DWORD size = (DWORD)cap;
    buffer[0] = '\0';
    LONG status = RegQueryValueExA(key, valueName, NULL, &type, (BYTE *)buffer, &size);
    // A number or binary value read as a path would name some arbitrary folder.
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        buffer[0] = '\0';
        return 0;
    }
    // Stored strings need not carry their terminator.
    if (size == 0 || buffer[size - 1] != '\0') {
        if (size >= cap) {
            buffer[0] = '\0';
            return 0;
        }
        buffer[size] = '\0';
    }
    return 1;
}

int ReadRegistryString(HKEY root, const char *path, int create, const char *valueName,
                       char *buffer, size_t size, LONG *openStatus)
{
    HKEY key;
    LONG status = create ? RegCreateKeyExA(root, path, 0, NULL, REG_OPTION_NON_VOLATILE,
                                           KEY_QUERY_VALUE, NULL, &key, NULL)
                         : RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key);
    if (openStatus)
        *openStatus = status;
    if (status != ERROR_SUCCESS)
        return 0;
    int ok = ReadStringValue(key, valueName, buffer, size);
    RegCloseKey(key);
    return ok;
}

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
