// Registry helpers for tests.
#include "registry.h"

#include <sddl.h>

#include <vector>

#include "product.h"

bool KeyExists(HKEY root, const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool ReadValue(HKEY root, const std::string &path, const char *name, std::string *data,
               DWORD *type)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    DWORD kind = 0;
    LONG status = RegQueryValueExA(key, name, NULL, &kind, NULL, &size);
    if (status == ERROR_SUCCESS) {
        data->assign(size, '\0');
        status = RegQueryValueExA(key, name, NULL, &kind, (BYTE *)&(*data)[0], &size);
        data->resize(size);
    }
    RegCloseKey(key);
    if (type)
        *type = kind;
    return status == ERROR_SUCCESS;
}

bool ValueExists(HKEY root, const std::string &path, const char *name)
{
    std::string data;
    return ReadValue(root, path, name, &data, NULL);
}

bool ReadString(HKEY root, const std::string &path, const char *name, std::string *text)
{
    DWORD type = 0;
    if (!ReadValue(root, path, name, text, &type) || type != REG_SZ)
        return false;
    while (!text->empty() && text->back() == '\0')
        text->pop_back();
    return true;
}

bool ReadDword(HKEY root, const std::string &path, const char *name, DWORD *number)
{
    std::string data;
    DWORD type = 0;
    if (!ReadValue(root, path, name, &data, &type) || type != REG_DWORD || data.size() != 4)
        return false;
    memcpy(number, data.data(), 4);
    return true;
}

void WriteRaw(HKEY root, const std::string &path, const char *name, DWORD type,
              const std::string &bytes)
{
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, (const BYTE *)bytes.data(), (DWORD)bytes.size());
    RegCloseKey(key);
}

void WriteString(HKEY root, const std::string &path, const char *name, const std::string &text)
{
    WriteRaw(root, path, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

void WriteDword(HKEY root, const std::string &path, const char *name, DWORD number)
{
    WriteRaw(root, path, name, REG_DWORD, std::string((const char *)&number, 4));
}

void DeleteValue(HKEY root, const std::string &path, const char *name)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void DeleteTree(HKEY root, const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[MAX_PATH];
    for (;;) {
        DWORD size = sizeof(name);
        if (RegEnumKeyExA(key, 0, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        size_t before = SubkeyCount(root, path);
        DeleteTree(root, path + "\\" + name);
        if ((size_t)SubkeyCount(root, path) == before)
            break;
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}

int SubkeyCount(HKEY root, const std::string &path)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return -1;
    DWORD count = 0;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, &count, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    return (int)count;
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

bool WalkKey(HKEY root, const std::string &path, const KeyVisitor &visitor)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof(name);
        BYTE data[4096];
        DWORD dataSize = sizeof(data);
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        visitor.value(path, name, type, std::string((char *)data, dataSize));
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &nameSize, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            break;
        children.push_back(name);
    }
    RegCloseKey(key);
    for (const std::string &child : children) {
        if (visitor.subkey)
            visitor.subkey(path + "\\" + child);
        WalkKey(root, path + "\\" + child, visitor);
    }
    return true;
}

static void SetKeySecurity(HKEY root, const std::string &path, const char *sddl)
{
    PSECURITY_DESCRIPTOR descriptor = NULL;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                              NULL))
        return;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        RegCloseKey(key);
    }
    LocalFree(descriptor);
}

void DenyKeyWrite(HKEY root, const std::string &path)
{
    SetKeySecurity(root, path, "D:P(D;;0x10006;;;WD)(A;;KA;;;WD)");
}

void DenyKeyAll(HKEY root, const std::string &path)
{
    SetKeySecurity(root, path, "D:P(D;;KA;;;WD)");
}

void DenyKeyDelete(HKEY root, const std::string &path)
{
    SetKeySecurity(root, path, "D:P(D;;SD;;;WD)(A;;KA;;;WD)");
}

void RestoreKey(HKEY root, const std::string &path)
{
    SetKeySecurity(root, path, "D:(A;;KA;;;WD)");
}

std::string DefaultInstallFolder()
{
    std::string programFiles;
    if (!ReadString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR,
                    &programFiles))
        programFiles = DEFAULT_PROGRAM_FILES;
    if (programFiles.empty() || programFiles.back() != '\\')
        programFiles += "\\";
    return programFiles + PRODUCT_DISPLAY_NAME;
}
