// Recording the installation in the registry: the install folder, the entry
// in the system's list of installed software, and the settings document type.
// Every step is best effort; only the InstallPath write shows a failure, and
// each step tells its caller whether everything was written.
#include <windows.h>
#include <shlobj.h>

#include "paths.h"
#include "product.h"
#include "settings.h"
#include "setup.h"
#include "shell_notice.h"

// Room for the icon path and the open command.
#define COMMAND_BUFFER_SIZE 280
// Room for the quiet uninstall command and the version text.
#define QUIET_COMMAND_SIZE  (COMMAND_BUFFER_SIZE + sizeof(QUIET_UNINSTALL_ARGUMENT))
#define VERSION_TEXT_SIZE   48

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

static LONG SetEntryValues(HKEY key, const EntryValue *values, size_t count)
{
    LONG status = ERROR_SUCCESS;
    for (const EntryValue *value = values; value < values + count && status == ERROR_SUCCESS;
         ++value) {
        DWORD size = value->type == REG_SZ ? (DWORD)lstrlenA((const char *)value->data) + 1
                                           : (DWORD)sizeof(DWORD);
        status = RegSetValueExA(key, value->name, 0, value->type, (const BYTE *)value->data, size);
    }
    return status;
}

// The values that are the same in every run: a table in read-only data,
// not one built on the stack value by value.
static const DWORD kOne = 1;
static const EntryValue kFixedValues[] = {
    {VALUE_DISPLAY_NAME, REG_SZ, PRODUCT_DISPLAY_NAME},
    {VALUE_PUBLISHER, REG_SZ, PUBLISHER_NAME},
    {VALUE_NO_MODIFY, REG_DWORD, &kOne},
    {VALUE_NO_REPAIR, REG_DWORD, &kOne},
};

// The entry is written whole or not at all: an entry in the list of
// installed software without a command that can run would be a dead end.
// The uninstaller's path must fit a path buffer, or it could not be there.
// Setup writes it once it has copied uninstall.exe into the install folder.
int WriteUninstallEntry(const char *source)
{
    char program[MAX_PATH];
    char icon[MAX_PATH];
    char command[COMMAND_BUFFER_SIZE];
    char quietCommand[QUIET_COMMAND_SIZE];
    if (!ComposePath(program, sizeof(program), g_installFolder, UNINSTALL_EXE_NAME) ||
        !ComposePath(icon, sizeof(icon), g_installFolder, PRODUCT_EXE_NAME) ||
        !ComposeQuotedProgram(command, sizeof(command), UNINSTALL_EXE_NAME) ||
        !CopyText(quietCommand, sizeof(quietCommand), command) ||
        !AppendText(quietCommand, sizeof(quietCommand), QUIET_UNINSTALL_ARGUMENT))
        return 0;
    char version[VERSION_TEXT_SIZE];
    ReadDistributionVersion(source, version, sizeof(version));
    char date[16];
    SYSTEMTIME today;
    GetLocalTime(&today);
    wsprintfA(date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
    const DWORD size = MeasureDistribution(source);
    const EntryValue values[] = {
        {VALUE_UNINSTALL_STRING, REG_SZ, command},
        {VALUE_QUIET_UNINSTALL, REG_SZ, quietCommand},
        {VALUE_DISPLAY_VERSION, REG_SZ, version},
        {VALUE_DISPLAY_ICON, REG_SZ, icon},
        {VALUE_INSTALL_LOCATION, REG_SZ, g_installFolder},
        {VALUE_ESTIMATED_SIZE, REG_DWORD, &size},
        {VALUE_INSTALL_DATE, REG_SZ, date},
    };
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, 0, NULL,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return 0;
    LONG status = SetEntryValues(key, kFixedValues, sizeof(kFixedValues) / sizeof(kFixedValues[0]));
    if (status == ERROR_SUCCESS)
        status = SetEntryValues(key, values, sizeof(values) / sizeof(values[0]));
    RegCloseKey(key);
    if (status == ERROR_SUCCESS)
        return 1;
    // Half an entry is taken away again.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
    return 0;
}

// A text that did not fit (NULL) counts as a value not written.
static int WriteDefaultValue(const char *subkey, const char *text)
{
    return text && WriteRegistryValue(HKEY_CLASSES_ROOT, subkey, NULL, text, 0);
}

// The document type's keys and their default values that are the same in
// every run, as pairs.
static const char *const kDocumentTexts[] = {
    DOCUMENT_EXTENSION,        DOCUMENT_TYPE_NAME,
    DOCUMENT_TYPE_NAME,        DOCUMENT_TYPE_TEXT,
    DOCUMENT_SHELL_KEY,        DOCUMENT_DEFAULT_VERB,
    DOCUMENT_OPEN_KEY,         DOCUMENT_OPEN_TEXT,
    DOCUMENT_EDIT_KEY,         DOCUMENT_EDIT_TEXT,
    DOCUMENT_EDIT_COMMAND_KEY, DOCUMENT_EDIT_COMMAND,
};

static int WriteDocumentType(void)
{
    char icon[COMMAND_BUFFER_SIZE];
    char open[COMMAND_BUFFER_SIZE];
    int haveIcon = ComposePath(icon, sizeof(icon), g_installFolder, DOCUMENT_ICON_FILE);
    int haveOpen = ComposeQuotedProgram(open, sizeof(open), PRODUCT_EXE_NAME) &&
                   AppendText(open, sizeof(open), DOCUMENT_ARGUMENT);
    int written = 1;
    for (size_t i = 0; i < sizeof(kDocumentTexts) / sizeof(kDocumentTexts[0]); i += 2)
        written &= WriteDefaultValue(kDocumentTexts[i], kDocumentTexts[i + 1]);
    written &= WriteDefaultValue(DOCUMENT_ICON_KEY, haveIcon ? icon : NULL);
    return written & WriteDefaultValue(DOCUMENT_OPEN_COMMAND_KEY, haveOpen ? open : NULL);
}

int RegisterInstallation(void)
{
    int written = WriteSettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, g_installFolder);
    written &= WriteDocumentType();
    AnnounceChange(SHCNE_ASSOCCHANGED, NULL);
    return written;
}
