// What setup is expected to write and say: the registration values with
// their exact data, the names it deletes before copying, the copy messages.
//
// Handles: none; these are expected values, nothing is opened.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct RegistryValue {
    HKEY root;
    const char *key;
    const char *value;  // NULL: the default value
    std::string data;   // REG_DWORD: the number in decimal
    DWORD type = REG_SZ;
};

// Every value of the uninstall entry for an install folder and the
// distribution folder it was installed from (empty: none), with its data:
// the version of the distribution's Chronex.exe (setup's own without one),
// its files' size in KiB, today's date.
std::vector<RegistryValue> ExpectedUninstallEntry(const std::string &folder,
                                                  const std::string &source = "");

// Every value that registration writes for an install folder, with the
// exact data: InstallPath, the uninstall entry's values (written once
// uninstall.exe is copied; left out without withEntry), the document
// type's values in writing order.
std::vector<RegistryValue> ExpectedRegistration(const std::string &folder, bool withEntry = true,
                                                const std::string &source = "");

// The names that the installer deletes before it copies.
std::vector<std::string> PreCopyNames();
// The uninstaller's installed-file list, in its order.
std::vector<std::string> InstalledNames();

// The pieces of the two per-file copy messages.
std::string SourceCopyMessage(const std::string &name);
std::string ImagesCopyMessage(const std::string &name);
