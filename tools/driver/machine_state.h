// The listing of machine state: what the installation left in the registry,
// the file system and the shell, reported as "registry", "file",
// "shortcut" and "temp" lines. The reads themselves (registry values,
// special folders, shortcut files) are the test-support core's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace driver {

// Reports a key as present or absent and, when present, every value below
// it, subkeys in depth.
void ReportKey(HKEY root, const char *rootName, const std::string &path);

// Every entry below a folder, folders with a trailing backslash, files with
// their sizes.
void ListFiles(const std::string &folder, std::vector<std::string> *out);
// The temporary folder without its trailing backslash.
std::string TempFolder();
// The uninstaller's traces in the temporary folder: its copy and scripts.
std::vector<std::string> UninstallerLeftovers();
// A shortcut's target, working folder, arguments and hotkey (COM must be
// initialised).
void ReportShortcut(const std::string &path);

}  // namespace driver
