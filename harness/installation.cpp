// What setup is expected to write and say.
#include "installation.h"

#include <winver.h>

#include "file_lists.h"
#include "product.h"
#include "version.h"

// The product version in a program's version block, read as the shell
// reads it; empty without one.
static std::string ProductVersion(const std::string &program)
{
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &ignored);
    std::vector<char> block(size ? size : 1);
    VS_FIXEDFILEINFO *fixed = NULL;
    UINT length = 0;
    if (!size || !GetFileVersionInfoA(program.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", (void **)&fixed, &length) || !fixed)
        return "";
    return std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwProductVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwProductVersionLS)) + "." +
           std::to_string(LOWORD(fixed->dwProductVersionLS));
}

// Bytes of the plain files of a folder, setup.exe left out.
static ULONGLONG PlainFileBytes(const std::string &folder)
{
    ULONGLONG bytes = 0;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            lstrcmpiA(entry.cFileName, SETUP_EXE_NAME) != 0)
            bytes += ((ULONGLONG)entry.nFileSizeHigh << 32) | entry.nFileSizeLow;
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return bytes;
}

std::vector<RegistryValue> ExpectedUninstallEntry(const std::string &folder,
                                                  const std::string &source)
{
    std::string version = source.empty() ? "" : ProductVersion(source + "\\" PRODUCT_EXE_NAME);
    ULONGLONG bytes = source.empty() ? 0
                                     : PlainFileBytes(source) +
                                           PlainFileBytes(source + "\\" IMAGES_FOLDER_NAME);
    SYSTEMTIME today;
    GetLocalTime(&today);
    char date[16];
    wsprintfA(date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
    const std::string command = "\"" + folder + "\\uninstall.exe\"";
    return {
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_DISPLAY_NAME, "Velkor Chronex"},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_UNINSTALL_STRING, command},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "QuietUninstallString", command + " /S"},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "DisplayVersion",
         version.empty() ? PRODUCT_VERSION_TEXT : version},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "Publisher", "Velkor Software"},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "DisplayIcon", folder + "\\Chronex.exe"},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "InstallLocation", folder},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "EstimatedSize",
         std::to_string((bytes + 1023) / 1024), REG_DWORD},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "InstallDate", date},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "NoModify", "1", REG_DWORD},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "NoRepair", "1", REG_DWORD},
    };
}

std::vector<RegistryValue> ExpectedRegistration(const std::string &folder, bool withEntry,
                                                const std::string &source)
{
    std::vector<RegistryValue> values = {
        {HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, folder},
    };
    if (withEntry)
        for (const RegistryValue &value : ExpectedUninstallEntry(folder, source))
            values.push_back(value);
    std::vector<RegistryValue> documentType = {
        {HKEY_CLASSES_ROOT, ".qsx", NULL, "VelkorSettings"},
        {HKEY_CLASSES_ROOT, "VelkorSettings", NULL, "Quillstar Settings"},
        {HKEY_CLASSES_ROOT, "VelkorSettings\\DefaultIcon", NULL, folder + "\\Settings.ico"},
        {HKEY_CLASSES_ROOT, "VelkorSettings\\Shell", NULL, "open"},
        {HKEY_CLASSES_ROOT, "VelkorSettings\\Shell\\open", NULL, "&Restore Settings"},
        {HKEY_CLASSES_ROOT, "VelkorSettings\\Shell\\open\\command", NULL,
         "\"" + folder + "\\Chronex.exe\" %1"},
        {HKEY_CLASSES_ROOT, "VelkorSettings\\Shell\\edit", NULL, "&Edit"},
        {HKEY_CLASSES_ROOT, "VelkorSettings\\Shell\\edit\\command", NULL, "NOTEPAD.EXE %1"},
    };
    values.insert(values.end(), documentType.begin(), documentType.end());
    return values;
}

static std::vector<std::string> ListedNames(const char *list)
{
    std::vector<std::string> names;
    for (const char *name = list; *name; name = NextListedName(name))
        names.push_back(name);
    return names;
}

std::vector<std::string> PreCopyNames()
{
    return ListedNames(kPreCopyDeletionNames);
}

std::vector<std::string> InstalledNames()
{
    return ListedNames(kInstalledFileNames);
}

std::string SourceCopyMessage(const std::string &name)
{
    return MSG_COPY_PREFIX + name + MSG_COPY_TAIL_SOURCE;
}

std::string ImagesCopyMessage(const std::string &name)
{
    return MSG_COPY_PREFIX + name + MSG_COPY_TAIL_IMAGES;
}
