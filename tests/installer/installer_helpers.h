// Helpers shared by the installer stage tests: the machine state the
// installer leaves behind (registry, shortcuts), reading shortcut files back,
// and the lists the tests compare against.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Every special folder the installer touches, as the test resolves it
// itself, with a trailing backslash.
std::string SpecialFolder(int csidl);
// A value of the user's Explorer "Shell Folders" key; empty when missing.
std::string ShellFolderValue(const char *name);

// Removes everything an installation leaves in the registry and the product
// shortcuts from the four special folders.
void CleanInstallerState();

// The number of values of a key; -1 when the key does not exist.
int ValueCount(HKEY root, const std::string &path);

// A REG_SZ value with its terminator, as RegQueryValueExA returns it; the
// type is checked too. "<missing>" when absent, "<type N>" for another type.
std::string RawString(HKEY root, const std::string &path, const char *name);

struct RegistryValue {
    HKEY root;
    const char *key;
    const char *value;  // NULL: the default value
    std::string data;
};

// Every value that registration writes for an install folder, in writing
// order, with the exact data.
std::vector<RegistryValue> ExpectedRegistration(const std::string &folder);

// Checks that each value is a REG_SZ holding exactly the data and one
// terminator.
void ExpectRegistryValues(const std::vector<RegistryValue> &values);

struct LinkInfo {
    std::string target;
    std::string arguments;
    std::string workingDirectory;
    WORD hotkey = 0xFFFF;
    std::string iconPath;
    int iconIndex = -1;
    DWORD fileShowCommand = 0xFFFFFFFF;  // the DWORD at 0x3C of the file
    WORD fileHotkey = 0xFFFF;            // the WORD at 0x40 of the file
};

// Loads a .lnk through IShellLinkA and IPersistFile (COM must be
// initialised) and reads the fields that Wine does not report faithfully
// from the file's bytes.
bool ReadLink(const std::string &path, LinkInfo *info);

// The names that the installer deletes before it copies.
std::vector<std::string> PreCopyNames();

// The pieces of the two per-file copy messages.
std::string SourceCopyMessage(const std::string &name);
std::string ImagesCopyMessage(const std::string &name);

// Creates a file whose full path may be longer than MAX_PATH (through the
// wide API), and deletes such a file.
bool WriteLongPathFile(const std::string &path, const std::string &text);
bool DeleteLongPathFile(const std::string &path);
