// Recording the installation in the registry: the install folder, the entry
// in the system's list of installed software, and the settings document type.
// Every step is best effort; only the InstallPath write reports a failure.
#include <windows.h>
#include <shlobj.h>

#include "paths.h"
#include "product.h"
#include "settings.h"
#include "setup.h"
#include "shell_notice.h"

// Room for the icon path and the open command.
#define COMMAND_BUFFER_SIZE 280

// "<folder>\<name>" in double quotes, so that a folder with blanks is not
// split into a program and its arguments.
static int ComposeQuotedProgram(char *text, size_t cap, const char *name)
{
    text[0] = '\0';
    return AppendText(text, cap, "\"") && AppendText(text, cap, g_installFolder) &&
           AppendPathName(text, cap, name) && AppendText(text, cap, "\"");
}

// One value of the uninstall entry: REG_SZ data is a text, REG_DWORD data
// a DWORD.
struct EntryValue {
    const char *name;
    DWORD type;
    const void *data;
};

static LONG SetEntryValue(HKEY key, const EntryValue *value)
{
    DWORD size = value->type == REG_SZ ? (DWORD)lstrlenA((const char *)value->data) + 1
                                       : (DWORD)sizeof(DWORD);
    return RegSetValueExA(key, value->name, 0, value->type, (const BYTE *)value->data, size);
}

// The entry is written whole or not at all: an entry in the list of
// installed software without a command that can run would be a dead end.
// The uninstaller's path must fit a path buffer, or it could not be there.
// Setup writes it once it has copied uninstall.exe into the install folder.
int WriteUninstallEntry(void)
{
    char program[MAX_PATH];
    char command[COMMAND_BUFFER_SIZE];
    if (!ComposePath(program, sizeof(program), g_installFolder, UNINSTALL_EXE_NAME) ||
        !ComposeQuotedProgram(command, sizeof(command), UNINSTALL_EXE_NAME))
        return 0;
    const EntryValue values[] = {
        {VALUE_DISPLAY_NAME, REG_SZ, PRODUCT_DISPLAY_NAME},
        {VALUE_UNINSTALL_STRING, REG_SZ, command},
    };
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, 0, NULL,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return 0;
    LONG status = ERROR_SUCCESS;
    for (size_t i = 0; i < sizeof(values) / sizeof(values[0]) && status == ERROR_SUCCESS; ++i)
        status = SetEntryValue(key, &values[i]);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS)
        return 1;
    // Half an entry is taken away again.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
    return 0;
}

static void WriteDefaultValue(const char *subkey, const char *text)
{
    WriteRegistryValue(HKEY_CLASSES_ROOT, subkey, NULL, text, 0);
}

static void WriteDocumentType(void)
{
    char text[COMMAND_BUFFER_SIZE];

    WriteDefaultValue(DOCUMENT_EXTENSION, DOCUMENT_TYPE_NAME);
    WriteDefaultValue(DOCUMENT_TYPE_NAME, DOCUMENT_TYPE_TEXT);
    if (ComposePath(text, sizeof(text), g_installFolder, DOCUMENT_ICON_FILE))
        WriteDefaultValue(DOCUMENT_ICON_KEY, text);
    WriteDefaultValue(DOCUMENT_SHELL_KEY, DOCUMENT_DEFAULT_VERB);
    WriteDefaultValue(DOCUMENT_OPEN_KEY, DOCUMENT_OPEN_TEXT);
    if (ComposeQuotedProgram(text, sizeof(text), PRODUCT_EXE_NAME) &&
        AppendText(text, sizeof(text), DOCUMENT_ARGUMENT))
        WriteDefaultValue(DOCUMENT_OPEN_COMMAND_KEY, text);
    WriteDefaultValue(DOCUMENT_EDIT_KEY, DOCUMENT_EDIT_TEXT);
    WriteDefaultValue(DOCUMENT_EDIT_COMMAND_KEY, DOCUMENT_EDIT_COMMAND);
}

void RegisterInstallation(void)
{
    WriteSettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, g_installFolder);
    WriteDocumentType();
    AnnounceChange(SHCNE_ASSOCCHANGED, NULL);
}
