// uninstall.exe given bad input: long and crowded temporary folders, an
// images folder with protected files, deep folders and a link leading out,
// an install folder that is gone, odd stored install folders, a deep or
// partly undeletable settings tree. Every run must end (exit code 1 for
// each uninstaller process), every box answered, and nothing outside the
// installation touched.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "files.h"
#include "long_paths.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "process_tree.h"
#include "product.h"
#include "registry.h"
#include "snapshot.h"

namespace {

const char kRoot[] = "C:\\tests\\hu";
const char kFolder[] = "C:\\tests\\hu\\Velkor Chronex";
const char kOutside[] = "C:\\tests\\hu\\outside";
const char kCannotCopy[] = "Cannot copy uninstall.exe to TEMP.";
const char kNoInstallPath[] = "Cannot find install path to remove files.";

struct UninstallRun {
    std::vector<BoxRecord> boxes;
    std::vector<TreeProcess> uninstallers;
    bool ended = false;
};

class UninstallBadInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        CleanProductState();
        RemoveTreeWithLinks(kRoot);
        MakeFolders(kOutside);
        WriteFileText(std::string(kOutside) + "\\keep.txt", "keep");
        temp_ = std::string(kRoot) + "\\temp";
        MakeFolders(temp_);
        runner_ = std::string(kRoot) + "\\runner";
        MakeFolders(runner_);
        CopyFileA((TestProgramFolder() + UNINSTALL_EXE_NAME).c_str(),
                  (runner_ + "\\" UNINSTALL_EXE_NAME).c_str(), FALSE);
    }
    void TearDown() override
    {
        RestoreKey(HKEY_CURRENT_USER, SETTINGS_KEY_PATH "\\a\\b\\c");
        CleanProductState();
        RemoveTreeWithLinks(kRoot);
    }

    // Runs commandLine with TMP at temp, answering every box with OK, and
    // follows every process it starts to its end.
    UninstallRun RunUninstaller(const std::string &commandLine, const std::string &temp)
    {
        UninstallRun run;
        TemporaryFolderOverride override(temp);
        ProcessTree tree;
        EXPECT_TRUE(tree.Start(commandLine, kRoot)) << commandLine;
        BoxWatcher watcher(0, {}, IDOK);
        run.ended = tree.WaitForAll(90000);
        watcher.Stop();
        run.boxes = watcher.Boxes();
        run.uninstallers = tree.Named(UNINSTALL_EXE_NAME);
        for (const TreeProcess &process : run.uninstallers)
            EXPECT_EQ(1u, process.exitCode) << process.image;
        return run;
    }

    static std::string Quoted(const std::string &path) { return "\"" + path + "\""; }

    // The removal phase started directly, from a copy outside the install
    // folder, as the temporary copy would be.
    UninstallRun RunRemovalPhase()
    {
        return RunUninstaller(Quoted(runner_ + "\\" UNINSTALL_EXE_NAME) + " /internally", temp_);
    }

    void ExpectOutsideUntouched()
    {
        EXPECT_EQ("keep", ReadFileText(std::string(kOutside) + "\\keep.txt"));
    }

    std::string temp_;
    std::string runner_;
};

TEST_F(UninstallBadInput, LongTemporaryFolders)
{
    // GetTempPathA adds a backslash: 240 leaves room for every name behind
    // it, 250 not for "uninstall.exe".
    for (size_t length : {240u, 250u}) {
        SCOPED_TRACE("temporary folder of " + std::to_string(length) + " characters");
        std::string temp = PathOfLength(std::string(kRoot) + "\\t", length);
        MakeFolders(temp);
        InstallByHand(kFolder);
        UninstallRun run = RunUninstaller(Quoted(std::string(kFolder) + "\\" UNINSTALL_EXE_NAME), temp);
        ASSERT_TRUE(run.ended);
        ASSERT_FALSE(run.boxes.empty());
        EXPECT_EQ("This will uninstall " PRODUCT_DISPLAY_NAME ".", run.boxes[0].text);
        if (length == 240u) {
            EXPECT_EQ(1u, run.boxes.size());
            EXPECT_EQ(2u, run.uninstallers.size());
            EXPECT_FALSE(FolderExists(kFolder));
            EXPECT_TRUE(ListFolder(temp).empty()) << "copy and script are gone";
        } else {
            ASSERT_EQ(2u, run.boxes.size());
            EXPECT_EQ(kCannotCopy, run.boxes[1].text);
            EXPECT_STREQ("error", IconKindName(run.boxes[1].icon));
            EXPECT_EQ(1u, run.uninstallers.size());
            EXPECT_TRUE(FileExists(std::string(kFolder) + "\\" PRODUCT_EXE_NAME));
            EXPECT_TRUE(ListFolder(temp).empty());
        }
        ExpectOutsideUntouched();
        CleanProductState();
        RemoveLongTree(std::string(kRoot) + "\\t");
        RemoveLongTree(kFolder);
    }
}

TEST_F(UninstallBadInput, AllScriptNamesTakenLeavesOnlyTheCopy)
{
    for (int n = 1; n <= 200; ++n)
        WriteFileText(temp_ + "\\delme" + std::to_string(n) + ".bat", "rem older");
    InstallByHand(kFolder);
    UninstallRun run = RunUninstaller(Quoted(std::string(kFolder) + "\\" UNINSTALL_EXE_NAME), temp_);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(2u, run.uninstallers.size());
    EXPECT_FALSE(FolderExists(kFolder));
    std::vector<std::string> left = ListFolder(temp_);
    EXPECT_EQ(201u, left.size()) << "the 200 scripts and the temporary copy";
    EXPECT_TRUE(FileExists(temp_ + "\\" UNINSTALL_EXE_NAME));
    EXPECT_EQ("rem older", ReadFileText(temp_ + "\\delme200.bat"));
}

TEST_F(UninstallBadInput, HostileImagesFolder)
{
    InstallByHand(kFolder);
    std::string images = std::string(kFolder) + "\\images";
    WriteFileText(images + "\\locked.png", "x");
    SetFileAttributesA((images + "\\locked.png").c_str(), FILE_ATTRIBUTE_READONLY);
    std::string deep = images;
    for (int level = 1; level <= 10; ++level) {
        deep += "\\level" + std::to_string(level);
        MakeFolders(deep);
        WriteFileText(deep + "\\file.gif", "x");
        SetFileAttributesA((deep + "\\file.gif").c_str(),
                           FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    }
    std::string link = images + "\\level1\\out";
    ASSERT_TRUE(MakeFolderLink(link, kOutside));

    UninstallRun run = RunRemovalPhase();
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_FALSE(FileExists(images + "\\locked.png"));
    EXPECT_FALSE(FolderExists(deep)) << "ten levels of protected files";
    EXPECT_FALSE(FileExists(std::string(kFolder) + "\\" PRODUCT_EXE_NAME));
    // Windows removes the link itself; Wine 8 cannot remove a link whose
    // target holds files, so there the link keeps images and the folder.
    ExpectOutsideUntouched();
}

TEST_F(UninstallBadInput, ImagesFolderThatIsALinkIsNotEmptied)
{
    InstallByHand(kFolder);
    std::string images = std::string(kFolder) + "\\images";
    RemoveTree(images);
    MakeFolders(std::string(kOutside) + "\\deeper");
    WriteFileText(std::string(kOutside) + "\\deeper\\keep2.gif", "keep");
    ASSERT_TRUE(MakeFolderLink(images, kOutside));

    UninstallRun run = RunRemovalPhase();
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.boxes.empty());
    ExpectOutsideUntouched();
    EXPECT_EQ("keep", ReadFileText(std::string(kOutside) + "\\deeper\\keep2.gif"));
    EXPECT_FALSE(FileExists(std::string(kFolder) + "\\" PRODUCT_EXE_NAME));
}

TEST_F(UninstallBadInput, VanishedInstallFolderTouchesNothingElse)
{
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH,
                std::string(kRoot) + "\\gone\\Velkor Chronex");
    TreeSnapshot before = SnapshotTree(kRoot);
    UninstallRun run = RunRemovalPhase();
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(std::vector<std::string>{},
              TreeChanges(before, SnapshotTree(kRoot), std::string(kRoot) + "\\temp"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH));
}

TEST_F(UninstallBadInput, OddStoredInstallPath)
{
    struct Case {
        const char *what;
        DWORD type;
        std::string bytes;
        bool reported;
    } cases[] = {
        {"number that reads as C:\\", REG_DWORD, std::string("C:\\\0", 4), true},
        {"300 bytes, no terminator", REG_SZ, std::string(300, 'q'), true},
        {"empty", REG_SZ, std::string(1, '\0'), false},
        {"one character", REG_SZ, std::string("C\0", 2), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        InstallByHand(kFolder);
        WriteRaw(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, c.type, c.bytes);
        TreeSnapshot before = SnapshotTree(kRoot);
        UninstallRun run = RunRemovalPhase();
        ASSERT_TRUE(run.ended);
        if (c.reported) {
            ASSERT_EQ(1u, run.boxes.size());
            EXPECT_EQ(kNoInstallPath, run.boxes[0].text);
        } else {
            EXPECT_TRUE(run.boxes.empty());
        }
        EXPECT_EQ(std::vector<std::string>{},
                  TreeChanges(before, SnapshotTree(kRoot), std::string(kRoot) + "\\temp"))
            << "no installed file is touched";
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH));
        CleanProductState();
    }
}

TEST_F(UninstallBadInput, LongStoredInstallFolder)
{
    std::string folder = PathOfLength(std::string(kRoot) + "\\long", 259);
    MakeFolders(folder);
    // 261 characters with its name: beyond every path the uninstaller builds.
    ASSERT_TRUE(WriteLongPathFile(folder + "\\x", "user file"));
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, folder);
    UninstallRun run = RunRemovalPhase();
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.boxes.empty());
    EXPECT_TRUE(FolderExists(folder)) << "it still holds a file";
    ExpectOutsideUntouched();
}

TEST_F(UninstallBadInput, DeepAndPartlyUndeletableSettingsTree)
{
    std::string key = SETTINGS_KEY_PATH;
    for (int level = 1; level <= 8; ++level) {
        key += "\\deep" + std::to_string(level);
        WriteString(HKEY_CURRENT_USER, key, "Value", "x");
    }
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C");
    UninstallRun run = RunRemovalPhase();
    ASSERT_TRUE(run.ended);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, COMPANY_KEY_PATH)) << "eight levels deep";

    // A key that refuses deletion stays with its ancestors; the run still ends.
    const std::string stuck = SETTINGS_KEY_PATH "\\a\\b\\c";
    WriteString(HKEY_CURRENT_USER, stuck + "\\d", "Value", "x");
    DenyKeyDelete(HKEY_CURRENT_USER, stuck);
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C");
    run = RunRemovalPhase();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(1u, run.uninstallers.size());
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, stuck));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH));
}

}  // namespace
