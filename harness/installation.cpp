// What setup is expected to write and say.
#include "installation.h"

#include "file_lists.h"
#include "product.h"

std::vector<RegistryValue> ExpectedUninstallEntry(const std::string &folder)
{
    return {
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_DISPLAY_NAME, "Velkor Chronex"},
        {HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_UNINSTALL_STRING,
         "\"" + folder + "\\uninstall.exe\""},
    };
}

std::vector<RegistryValue> ExpectedRegistration(const std::string &folder, bool withEntry)
{
    std::vector<RegistryValue> values = {
        {HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, folder},
    };
    if (withEntry)
        for (const RegistryValue &value : ExpectedUninstallEntry(folder))
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
