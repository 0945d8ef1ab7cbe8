// Both programs run as an administrator from folders that the user's other
// programs can write to. DLLs planted under system DLLs' names beside
// setup.exe, in the temporary folder and (copied by setup with the rest of
// the distribution) beside the installed uninstaller never load; a program
// written over the temporary copy while it is made and started never runs.
#include <gtest/gtest.h>

#include <string>

#include "distribution.h"
#include "files.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "process_tree.h"
#include "product.h"
#include "registry.h"
#include "setup_run.h"

namespace {

const char kMarks[] = "C:\\tests\\planted.txt";
const char kDist[] = "C:\\tests\\elevation dist";
const char kRoot[] = "C:\\tests\\elevation";
const char kInstall[] = "C:\\tests\\elevation\\Velkor Chronex";
const char kTemp[] = "C:\\tests\\elevation temp";
// Loaded by name from inside system DLLs; Windows looks for them beside the
// program first, and so does Wine when told to prefer a native DLL (for
// these programs only, so that the test's own helpers are not changed).
const char *const kPlantedNames[] = {"uxtheme", "msimg32"};
const char *const kPrograms[] = {SETUP_EXE_NAME, UNINSTALL_EXE_NAME};
const char kAppDefaults[] = "Software\\Wine\\AppDefaults\\";

void PreferNativeDlls(bool prefer)
{
    for (const char *program : kPrograms) {
        std::string key = std::string(kAppDefaults) + program + "\\DllOverrides";
        for (const char *name : kPlantedNames) {
            if (prefer)
                WriteString(HKEY_CURRENT_USER, key, name, "native,builtin");
            else
                DeleteValue(HKEY_CURRENT_USER, key, name);
        }
    }
}

std::string Texts(const std::vector<BoxRecord> &boxes)
{
    std::string texts;
    for (const BoxRecord &box : boxes)
        texts += "[" + box.text + "] ";
    return texts;
}

class ElevationSafety : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override
    {
        PreferNativeDlls(false);
        Clean();
    }
    static void Clean()
    {
        CleanProductState();
        for (const char *folder : {kDist, kRoot, kTemp})
            RemoveTree(folder);
        DeleteFileA(kMarks);
        MakeFolders(kRoot);
        MakeFolders(kTemp);
    }
    static void Plant(const std::string &folder)
    {
        for (const char *name : kPlantedNames)
            ASSERT_TRUE(CopyFileA((TestProgramFolder() + "planted.dll").c_str(),
                                  (folder + "\\" + name + ".dll").c_str(), FALSE));
    }
    static std::string Marks() { return FileExists(kMarks) ? ReadFileText(kMarks) : ""; }
};

TEST_F(ElevationSafety, PlantedDllsNeverLoad)
{
    CopyFolder(TestProgramFolder() + "..\\dist", kDist);
    Plant(kDist);
    Plant(kTemp);
    TemporaryFolderOverride temp(kTemp);
    PreferNativeDlls(true);

    SetupRun setup = RunSetup(std::string(kDist) + "\\" SETUP_EXE_NAME, {kInstall, true, false});
    EXPECT_EQ("", Marks()) << "planted DLLs ran in setup";
    EXPECT_EQ(1u, setup.exitCode);
    ASSERT_EQ(1u, setup.boxes.size());
    EXPECT_EQ(MSG_INSTALLED_SUCCESS, setup.boxes[0].text);
    for (const char *name : kPlantedNames)
        EXPECT_TRUE(FileExists(std::string(kInstall) + "\\" + name + ".dll")) << name;
    std::string command;
    ASSERT_TRUE(
        ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_UNINSTALL_STRING, &command));

    ProcessTree tree;
    ASSERT_TRUE(tree.Start(command, kRoot));
    BoxWatcher watcher(0, {IDOK});
    ASSERT_TRUE(tree.WaitForAll(60000));
    watcher.Stop();

    EXPECT_EQ("", Marks()) << "planted DLLs ran in the uninstaller";
    EXPECT_EQ(1u, watcher.Boxes().size()) << Texts(watcher.Boxes());
    ASSERT_EQ(2u, tree.Named(UNINSTALL_EXE_NAME).size());
    EXPECT_EQ(std::string(kTemp) + "\\" UNINSTALL_EXE_NAME,
              tree.Named(UNINSTALL_EXE_NAME)[1].image);
    EXPECT_FALSE(FileExists(std::string(kInstall) + "\\" PRODUCT_EXE_NAME));
    EXPECT_FALSE(FileExists(std::string(kInstall) + "\\" UNINSTALL_EXE_NAME));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
    EXPECT_FALSE(FileExists(std::string(kTemp) + "\\" UNINSTALL_EXE_NAME));
}

// Unattended, neither program loads the libraries of windows in advance
// (they show no box and no dialog): nothing loads them by name either.
TEST_F(ElevationSafety, PlantedDllsNeverLoadUnattended)
{
    CopyFolder(TestProgramFolder() + "..\\dist", kDist);
    Plant(kDist);
    Plant(kTemp);
    TemporaryFolderOverride temp(kTemp);
    PreferNativeDlls(true);

    ProcessTree setup;
    ASSERT_TRUE(setup.Start("\"" + std::string(kDist) + "\\" SETUP_EXE_NAME "\" /S /D=" + kInstall,
                            kRoot));
    ASSERT_TRUE(setup.WaitForAll(60000));
    ASSERT_EQ(0u, setup.processes[0].exitCode);
    std::string quiet;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_QUIET_UNINSTALL, &quiet));

    ProcessTree tree;
    ASSERT_TRUE(tree.Start(quiet, kRoot));
    ASSERT_TRUE(tree.WaitForAll(60000));
    EXPECT_EQ("", Marks()) << "planted DLLs ran";
    ASSERT_EQ(2u, tree.Named(UNINSTALL_EXE_NAME).size());
    EXPECT_EQ(0u, tree.processes[0].exitCode);
    // The planted DLLs that setup copied stay: they are not on the list.
    EXPECT_FALSE(FileExists(std::string(kInstall) + "\\" PRODUCT_EXE_NAME));
    EXPECT_FALSE(FileExists(std::string(kInstall) + "\\" UNINSTALL_EXE_NAME));
    EXPECT_FALSE(FileExists(std::string(kTemp) + "\\" UNINSTALL_EXE_NAME));
}

struct Racer {
    std::string planted, copy, product;
    DWORD copySize;
    volatile LONG stop;
};

// Writes the planted program over the temporary copy as soon as the
// uninstaller has written it, while the product is still installed.
DWORD WINAPI Race(void *argument)
{
    Racer *racer = (Racer *)argument;
    while (!racer->stop && FileExists(racer->product)) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(racer->copy.c_str(), GetFileExInfoStandard, &data) &&
            data.nFileSizeLow == racer->copySize)
            CopyFileA(racer->planted.c_str(), racer->copy.c_str(), FALSE);
    }
    return 0;
}

TEST_F(ElevationSafety, AProgramWrittenOverTheTemporaryCopyNeverRuns)
{
    InstallByHand(kInstall);
    TemporaryFolderOverride temp(kTemp);
    Racer racer = {TestProgramFolder() + "planted_program.exe",
                   std::string(kTemp) + "\\" UNINSTALL_EXE_NAME,
                   std::string(kInstall) + "\\" PRODUCT_EXE_NAME,
                   (DWORD)ReadFileText(TestProgramFolder() + UNINSTALL_EXE_NAME).size(), 0};
    HANDLE thread = CreateThread(NULL, 0, Race, &racer, 0, NULL);
    ASSERT_TRUE(thread != NULL);

    ProcessTree tree;
    EXPECT_TRUE(tree.Start("\"" + std::string(kInstall) + "\\" UNINSTALL_EXE_NAME "\"", kRoot));
    BoxWatcher watcher(0, {IDOK});
    bool ended = tree.WaitForAll(60000);
    InterlockedExchange(&racer.stop, 1);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    watcher.Stop();

    EXPECT_TRUE(ended);
    EXPECT_EQ("", Marks()) << "the planted program ran";
    std::vector<BoxRecord> boxes = watcher.Boxes();
    bool refused = boxes.size() == 2 && boxes[1].text == "Cannot copy uninstall.exe to TEMP.";
    bool removed = boxes.size() == 1 && !FileExists(racer.product) &&
                   !KeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
    EXPECT_TRUE(refused || removed) << Texts(boxes);
}

}  // namespace
