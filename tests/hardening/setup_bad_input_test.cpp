// setup.exe given bad input: install folders up to the last character a
// path buffer holds, typed and stored; odd stored values for the install
// folder, the Program Files folder and the hotkey; distribution files with
// names up to 255 characters. Every run must end with its exit code, every
// box answered, and nothing changed outside the install folder.
#include <gtest/gtest.h>

#include <stdio.h>

#include "files.h"
#include "installation.h"
#include "long_paths.h"
#include "machine.h"
#include "process.h"
#include "product.h"
#include "registry.h"
#include "setup_run.h"
#include "snapshot.h"

namespace {

const char kTests[] = "C:\\tests";
const char kDist[] = "C:\\tests\\hb dist";
const char kInstallBase[] = "C:\\tests\\hb install";
const char kFallbackOffer[] = DEFAULT_PROGRAM_FILES PRODUCT_DISPLAY_NAME;
const char *const kDistFiles[] = {"a.txt", "readme.htm", "Settings.ico"};

class SetupBadInput : public ::testing::Test {
protected:
    void SetUp() override
    {
        CleanProductState();
        RemoveLongTree(kInstallBase);
        MakeScratchFolder("hb dist");
        for (const char *name : kDistFiles)
            WriteFileText(std::string(kDist) + "\\" + name, name);
        CopyFileA((TestProgramFolder() + SETUP_EXE_NAME).c_str(),
                  (std::string(kDist) + "\\" SETUP_EXE_NAME).c_str(), FALSE);
        MakeFolders(std::string(kDist) + "\\images");
        WriteFileText(std::string(kDist) + "\\images\\clock.bmp", "BM");
        MakeScratchFolder("hb canary");
        WriteFileText("C:\\tests\\hb canary\\keep.txt", "keep");
    }
    void TearDown() override
    {
        RemoveLongTree(kInstallBase);
        CleanProductState();
        DeleteTree(HKEY_CURRENT_USER, COMPANY_KEY_PATH);
    }

    // Installs into folder and checks what a run must never do, whatever
    // the folder: crash, leave a box unanswered, touch anything else.
    void InstallAndCheck(const std::string &folder, bool typed)
    {
        SCOPED_TRACE("install folder of " + std::to_string(folder.size()) + " characters");
        TreeSnapshot before = SnapshotTree(kTests);
        SetupRun run = RunSetup(PlaceSetup(kDist), {typed ? folder.c_str() : NULL});
        printf("install folder of %u characters: %s, %u boxes\n", (unsigned)folder.size(),
               run.dialogStayedOpen ? "refused" : "installed", (unsigned)run.boxes.size());
        if (!typed) {
            EXPECT_EQ(folder, run.offered);
        }
        if (run.dialogStayedOpen) {
            // The folder could not be made: refused, then cancelled.
            EXPECT_EQ(0u, run.exitCode);
            EXPECT_FALSE(ValueExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH) &&
                         typed);
        } else {
            ASSERT_EQ(1u, run.exitCode);
            std::string stored;
            EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH,
                                   &stored));
            EXPECT_EQ(folder, stored);
            ASSERT_FALSE(run.boxes.empty());
            EXPECT_EQ(PRODUCT_DISPLAY_NAME " has been installed successfully.",
                      run.boxes.back().text);
            // Each file is either there or named in a box of its own.
            for (const char *name : kDistFiles) {
                std::string path = folder + "\\" + name;
                bool copied = path.size() < MAX_PATH && FileExists(path);
                bool reported = false;
                for (const BoxRecord &box : run.boxes)
                    reported = reported || box.text.find(std::string("'") + name + "'") !=
                                               std::string::npos;
                EXPECT_TRUE(copied != reported) << name << " copied " << copied
                                                << " reported " << reported;
            }
            // A command line that does not fit is not written at all.
            std::string uninstall;
            if (ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_KEY_PATH "\\" UNINSTALL_ENTRY_NAME,
                           VALUE_UNINSTALL_STRING, &uninstall)) {
                EXPECT_EQ("\"" + folder + "\\" UNINSTALL_EXE_NAME "\"", uninstall);
            }
        }
        std::vector<std::string> changes = TreeChanges(before, SnapshotTree(kTests), kInstallBase);
        std::string changed;
        for (const std::string &change : changes)
            changed += change + "\n";
        EXPECT_EQ("", changed) << "changed outside the install folder";
    }
};

TEST_F(SetupBadInput, LongTypedInstallFolders)
{
    for (size_t length : {200u, 240u, 250u, 255u, 259u}) {
        InstallAndCheck(PathOfLength(kInstallBase, length), true);
        RemoveLongTree(kInstallBase);
        CleanProductState();
    }
}

TEST_F(SetupBadInput, LongStoredInstallFolders)
{
    for (size_t length : {240u, 259u}) {
        std::string folder = PathOfLength(kInstallBase, length);
        WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, folder);
        InstallAndCheck(folder, false);
        RemoveLongTree(kInstallBase);
        CleanProductState();
    }
}

TEST_F(SetupBadInput, OddStoredInstallPathIsOfferedSafely)
{
    struct Case {
        const char *what;
        DWORD type;
        std::string bytes;
        std::string offer;
    } cases[] = {
        {"number", REG_DWORD, std::string("C:\\\0", 4), DefaultInstallFolder()},
        {"empty", REG_SZ, std::string(1, '\0'), ""},
        {"one character", REG_SZ, std::string("X\0", 2), "X"},
        {"two characters", REG_SZ, std::string("C:\0", 3), "C:"},
        {"259 characters", REG_SZ, std::string(259, 'p') + '\0', std::string(259, 'p')},
        {"300 bytes, no terminator", REG_SZ, std::string(300, 'q'), DefaultInstallFolder()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteRaw(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, c.type, c.bytes);
        SetupRun run = PeekSetup(PlaceSetup(kDist), NULL);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_EQ(c.offer, run.offered);
        ASSERT_EQ(1u, run.boxes.size());
        EXPECT_EQ("Setup will be stopped.", run.boxes[0].text);
    }
}

TEST_F(SetupBadInput, OddProgramFilesDirGivesTheFallback)
{
    std::string saved;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR,
                           &saved));
    struct Case {
        const char *what;
        DWORD type;
        std::string bytes;
    } cases[] = {
        {"259 characters", REG_SZ, "C:\\" + std::string(256, 'f') + '\0'},
        {"number", REG_DWORD, std::string("D:\\\0", 4)},
        {"no terminator", REG_SZ, std::string(300, 'g')},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteRaw(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR, c.type,
                 c.bytes);
        SetupRun run = PeekSetup(PlaceSetup(kDist), NULL);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_EQ(kFallbackOffer, run.offered);
    }
    WriteString(HKEY_LOCAL_MACHINE, CURRENT_VERSION_KEY_PATH, VALUE_PROGRAM_FILES_DIR, saved);
}

TEST_F(SetupBadInput, OddStoredHotkeyShowsTheDefault)
{
    struct Case {
        const char *what;
        DWORD type;
        std::string bytes;
    } cases[] = {
        {"string", REG_SZ, std::string("Ctrl+Alt+N\0", 11)},
        {"two bytes", REG_BINARY, std::string("\x74\x03", 2)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteRaw(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, c.type, c.bytes);
        WORD hotkey = 0xdead;
        SetupRun run = PeekSetup(PlaceSetup(kDist), &hotkey);
        EXPECT_EQ(0u, run.exitCode);
        EXPECT_EQ(0x064E, hotkey);
    }
}

TEST_F(SetupBadInput, DistributionFileNamesUpTo255Characters)
{
    const std::string dist = "C:\\tests\\hb names";  // 17 characters
    RemoveLongTree(dist);
    MakeFolders(dist);
    std::vector<std::string> names;
    for (size_t length : {100u, 200u, 240u, 255u}) {
        std::string name = std::string(length - 4, (char)('k' + names.size())) + ".txt";
        ASSERT_TRUE(WriteLongPathFile(dist + "\\" + name, name));
        names.push_back(name);
    }
    std::string folder = std::string(kInstallBase) + "\\n";  // 20 characters
    SetupRun run = RunSetup(PlaceSetup(dist), {folder.c_str()});
    ASSERT_EQ(1u, run.exitCode);
    for (const std::string &name : names) {
        SCOPED_TRACE(std::to_string(name.size()) + "-character name");
        bool fits = dist.size() + 1 + name.size() < MAX_PATH &&
                    folder.size() + 1 + name.size() < MAX_PATH;
        std::string message = SourceCopyMessage(name);
        int boxes = 0;
        for (const BoxRecord &box : run.boxes)
            boxes += box.text == message;
        if (fits) {
            EXPECT_TRUE(FileExists(folder + "\\" + name));
            EXPECT_EQ(0, boxes);
        } else {
            EXPECT_EQ(1, boxes) << "one box naming the whole file";
        }
    }
    RemoveLongTree(dist);
}

}  // namespace
