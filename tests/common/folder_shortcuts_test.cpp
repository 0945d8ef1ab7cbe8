// The special shell folders that hold the product's shortcuts, resolved
// with a trailing backslash; a folder the shell does not know gives an
// empty path, never one relative to the current directory.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

#include "folder_shortcuts.h"
#include "machine.h"

namespace {

// A CSIDL that the shell does not know, so it cannot be resolved.
const int kNoSuchFolder = 0xFE;

TEST(FolderShortcuts, SpecialFoldersResolveWithTrailingBackslash)
{
    const int folders[] = {CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_STARTUP};
    for (int csidl : folders) {
        char path[MAX_PATH];
        memset(path, 'G', sizeof(path));
        EXPECT_EQ(1, GetSpecialFolderPath(csidl, path, sizeof(path))) << csidl;
        EXPECT_EQ(SpecialFolder(csidl), path) << csidl;
    }
    char path[MAX_PATH];
    memset(path, 'G', sizeof(path));
    EXPECT_EQ(0, GetSpecialFolderPath(kNoSuchFolder, path, sizeof(path)));
    EXPECT_STREQ("", path);
}

}  // namespace
