// Shortcut cleanup, called in-process against the prefix's shell folders:
// both of the product's shortcut names go from the four special folders of
// the user and of all users,
// each deletion announced, and other shortcuts stay.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "files.h"
#include "import_hook.h"
#include "machine.h"
#include "product.h"
#include "uninstall.h"

namespace {

// The user's four folders, then the same four of all users.
const int kCleanedFolders[] = {
    kShortcutFolders[0], kShortcutFolders[1], kShortcutFolders[2], kShortcutFolders[3],
    CSIDL_COMMON_STARTUP, CSIDL_COMMON_STARTMENU, CSIDL_COMMON_PROGRAMS,
    CSIDL_COMMON_DESKTOPDIRECTORY,
};

class ShortcutCleanup : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (int csidl : kCleanedFolders)
            for (const char *name : {PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION,
                                     PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX, "Other.lnk"})
                DeleteFileA((SpecialFolder(csidl) + name).c_str());
    }
};

// The desktop folder of Wine's prefix is a link to the home folder, as a
// redirected profile folder is a junction on Windows: its shortcuts go too.
TEST_F(ShortcutCleanup, BothNamesGoFromAllEightFoldersInOrder)
{
    std::string desktop = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    DWORD attributes = GetFileAttributesA(desktop.substr(0, desktop.size() - 1).c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT) << desktop << " is no link";
    for (int csidl : kCleanedFolders) {
        std::string folder = SpecialFolder(csidl);
        ASSERT_TRUE(FolderExists(folder)) << csidl;
        WriteFileText(folder + PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION, "lnk");
        WriteFileText(folder + PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX, "lnk");
        WriteFileText(folder + "Other.lnk", "lnk");
    }
    ShellNotifyLog log;
    RemoveShortcuts();

    std::vector<std::string> announced;
    for (const ShellNotifyCall &call : log.calls)
        if (call.event == SHCNE_DELETE)
            announced.push_back(call.path1);
    std::vector<std::string> expected;
    for (int csidl : kCleanedFolders) {
        std::string folder = SpecialFolder(csidl);
        EXPECT_FALSE(FileExists(folder + PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION)) << folder;
        EXPECT_FALSE(FileExists(folder + PRODUCT_DISPLAY_NAME SHORTCUT_98_SUFFIX)) << folder;
        EXPECT_TRUE(FileExists(folder + "Other.lnk")) << folder;
        expected.push_back(folder + PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION);
    }
    EXPECT_EQ(expected, announced);
}

}  // namespace
