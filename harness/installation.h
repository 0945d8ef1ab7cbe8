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
    std::string data;
};

// Every value of the uninstall entry for an install folder, with its data.
std::vector<RegistryValue> ExpectedUninstallEntry(const std::string &folder);

// Every value that registration writes for an install folder, with the
// exact data: InstallPath, the uninstall entry's values (written once
// uninstall.exe is copied; left out without withEntry), the document
// type's values in writing order.
std::vector<RegistryValue> ExpectedRegistration(const std::string &folder, bool withEntry = true);

// The names that the installer deletes before it copies.
std::vector<std::string> PreCopyNames();

// The pieces of the two per-file copy messages.
std::string SourceCopyMessage(const std::string &name);
std::string ImagesCopyMessage(const std::string &name);
