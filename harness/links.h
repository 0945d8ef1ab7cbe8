// Reading shortcut files back: through the shell link object, and the
// fields Wine does not report faithfully, from the file's own bytes.
//
// Handles: the shell link object and its file are released before ReadLink
// returns; COM itself stays the caller's.
#pragma once

#include <windows.h>

#include <string>

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
// initialised); false when it cannot be read.
bool ReadLink(const std::string &path, LinkInfo *info);
