// The default install folder: composed from the Program Files folder, or
// the stored one, with and without the dialog. setup.exe run as a program
// is driven through its dialog in tests/e2e.
#include <gtest/gtest.h>

#include "msgbox.h"
#include "product.h"
#include "registry.h"
#include "setup.h"

namespace {

class DefaultFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
        hadProgramFiles_ = ReadString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH,
                                      VALUE_PROGRAM_FILES_DIR, &programFiles_);
        memset(g_installFolder, 'G', sizeof(g_installFolder));
    }
    void TearDown() override
    {
        RestoreKey(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH);
        if (hadProgramFiles_)
            WriteString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR,
                        programFiles_);
        DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
    }
    std::string Compose()
    {
        ComposeDefaultInstallFolder();
        return g_installFolder;
    }
    bool hadProgramFiles_ = false;
    std::string programFiles_;
};

TEST_F(DefaultFolder, FromProgramFilesDir)
{
    BoxAnswerer answerer;
    struct Case {
        const char *programFiles;
        const char *expected;
    } cases[] = {
        {"C:\\Program Files", "C:\\Program Files\\Velkor Chronex"},
        {"D:\\Apps\\", "D:\\Apps\\Velkor Chronex"},
    };
    for (const Case &c : cases) {
        WriteString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR,
                    c.programFiles);
        EXPECT_EQ(c.expected, Compose()) << c.programFiles;
    }
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(DefaultFolder, FallbackWhenProgramFilesDirIsMissingOrUnreadable)
{
    BoxAnswerer answerer;
    DeleteValue(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR);
    EXPECT_EQ("C:\\Program Files\\Velkor Chronex", Compose()) << "missing";

    WriteDword(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR, 0x5C3A44);
    EXPECT_EQ("C:\\Program Files\\Velkor Chronex", Compose()) << "not a string";

    WriteString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR,
                "D:\\" + std::string(250, 'p'));
    EXPECT_EQ("C:\\Program Files\\Velkor Chronex", Compose()) << "no room for the name";

    WriteString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR, "D:\\Apps");
    DenyKeyAll(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH);
    EXPECT_EQ("C:\\Program Files\\Velkor Chronex", Compose()) << "key not readable";
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(DefaultFolder, StoredInstallPathIsOfferedAsStored)
{
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "E:\\Tools\\Misc\\");
    EXPECT_EQ("E:\\Tools\\Misc\\", Compose());
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "");
    EXPECT_EQ("", Compose()) << "a stored empty path is offered empty";
}

TEST_F(DefaultFolder, WithoutDialogTheOfferIsTakenWithoutTrailingBackslash)
{
    // The test program has no dialog template, so the dialog cannot be shown.
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "E:\\Tools\\Misc\\");
    g_instance = GetModuleHandleA(NULL);
    g_createShortcut = g_startApplication = 0;
    EXPECT_EQ(1, AskInstallOptions());
    EXPECT_STREQ("E:\\Tools\\Misc", g_installFolder);
    EXPECT_EQ(0, g_createShortcut);
    EXPECT_EQ(0, g_startApplication);
}

// /D= without /S: the folder given is the one proposed, over the stored one.
TEST_F(DefaultFolder, AGivenFolderIsProposedInsteadOfTheStoredOne)
{
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "E:\\Tools\\Misc");
    g_instance = GetModuleHandleA(NULL);
    EXPECT_EQ(1, AskInstallOptions("F:\\Given Folder\\"));
    EXPECT_STREQ("F:\\Given Folder", g_installFolder);
}

TEST_F(DefaultFolder, WithoutDialogAStoredValueThatNamesNoFolderGivesWayToProgramFiles)
{
    WriteString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR, "D:\\Apps");
    g_instance = GetModuleHandleA(NULL);
    for (const char *stored : {"", "\\", "\\\\"}) {
        WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, stored);
        EXPECT_EQ(1, AskInstallOptions());
        EXPECT_STREQ("D:\\Apps\\Velkor Chronex", g_installFolder) << "stored: " << stored;
    }
}

}  // namespace
