// Helpers shared by the installer stage tests.
#include "installer_helpers.h"

#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include "file_lists.h"
#include "files.h"
#include "product.h"
#include "registry.h"

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(NULL, csidl, NULL, 0, path)) || !path[0])
        return "";
    std::string folder = path;
    if (folder.back() != '\\')
        folder += '\\';
    return folder;
}

std::string ShellFolderValue(const char *name)
{
    std::string value;
    if (!ReadString(HKEY_CURRENT_USER, SHELL_FOLDERS_KEY_PATH, name, &value))
        return "";
    return value;
}

void CleanInstallerState()
{
    DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
    DeleteTree(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
    DeleteTree(HKEY_CLASSES_ROOT, DOCUMENT_EXTENSION);
    DeleteTree(HKEY_CLASSES_ROOT, DOCUMENT_TYPE_NAME);
    const int folders[] = {CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTUP};
    for (int csidl : folders) {
        std::string folder = SpecialFolder(csidl);
        if (folder.empty())
            continue;
        DeleteFileA((folder + PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION).c_str());
        DeleteFileA((folder + PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX).c_str());
    }
}

int ValueCount(HKEY root, const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return -1;
    DWORD values = 0;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return (int)values;
}

std::string RawString(HKEY root, const std::string &path, const char *name)
{
    std::string data;
    DWORD type = 0;
    if (!ReadValue(root, path, name, &data, &type))
        return "<missing>";
    if (type != REG_SZ)
        return "<type " + std::to_string(type) + ">";
    return data;
}

std::vector<RegistryValue> ExpectedRegistration(const std::string &folder)
{
    return {
        {HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, folder},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_DISPLAY_NAME, "Velkor Chronex"},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_UNINSTALL_STRING,
         "\"" + folder + "\\uninstall.exe\""},
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
}

void ExpectRegistryValues(const std::vector<RegistryValue> &values)
{
    for (const RegistryValue &v : values) {
        std::string where = std::string(v.root == HKEY_CLASSES_ROOT ? "HKCR\\" : "HKLM\\") +
                            v.key + " " + (v.value ? v.value : "(default)");
        EXPECT_EQ(std::string(v.data.c_str(), v.data.size() + 1),
                  RawString(v.root, v.key, v.value))
            << where;
    }
}

bool ReadLink(const std::string &path, LinkInfo *info)
{
    std::string bytes = ReadFileText(path);
    if (bytes.size() < 0x42)
        return false;
    memcpy(&info->fileShowCommand, bytes.data() + 0x3C, 4);
    memcpy(&info->fileHotkey, bytes.data() + 0x40, 2);

    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                (void **)&link)))
        return false;
    IPersistFile *file = NULL;
    bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file));
    if (ok) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        ok = SUCCEEDED(file->Load(wide, STGM_READ));
        file->Release();
    }
    if (ok) {
        char text[1024];
        text[0] = '\0';
        link->GetPath(text, sizeof(text), NULL, SLGP_RAWPATH);
        info->target = text;
        text[0] = '\0';
        link->GetArguments(text, sizeof(text));
        info->arguments = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, sizeof(text));
        info->workingDirectory = text;
        link->GetHotkey(&info->hotkey);
        text[0] = '\0';
        link->GetIconLocation(text, sizeof(text), &info->iconIndex);
        info->iconPath = text;
    }
    link->Release();
    return ok;
}

std::vector<std::string> PreCopyNames()
{
    return std::vector<std::string>(kPreCopyDeletionList,
                                    kPreCopyDeletionList + kPreCopyDeletionCount);
}

std::string SourceCopyMessage(const std::string &name)
{
    return MSG_COPY_PREFIX + name + MSG_COPY_TAIL_SOURCE;
}

std::string ImagesCopyMessage(const std::string &name)
{
    return MSG_COPY_PREFIX + name + MSG_COPY_TAIL_IMAGES;
}

static std::wstring LongPath(const std::string &path)
{
    std::wstring wide = L"\\\\?\\";
    for (char c : path)
        wide += (wchar_t)(unsigned char)c;
    return wide;
}

bool WriteLongPathFile(const std::string &path, const std::string &text)
{
    HANDLE file = CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL);
    CloseHandle(file);
    return written == text.size();
}

bool DeleteLongPathFile(const std::string &path)
{
    return DeleteFileW(LongPath(path).c_str()) != 0;
}
