// uninstall.exe run as a program on an installation made by hand: the
// confirmation, the two phases in two processes and the script, the switch
// in the command line, and the failure boxes. Every process the run starts
// is followed to its end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expect.h"
#include "files.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "process_tree.h"
#include "product.h"
#include "registry.h"
#include "stand_in_window.h"

namespace {

const char kCommandInterpreter[] = "cmd.exe";
const char kConfirmation[] = "This will uninstall Velkor Chronex.";

struct RunResult {
    std::vector<BoxRecord> boxes;
    std::vector<TreeProcess> processes;
    std::vector<TreeProcess> uninstallers;  // every process of an uninstall.exe
    size_t scripts = 0;                      // command interpreters started
    bool ended = false;
};

class UninstallProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        CleanProductState();
        root_ = MakeScratchFolder(
            std::string("uninstall_program_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        folder_ = root_ + "\\Velkor Chronex";
        temp_ = root_ + "\\temp";
        MakeFolders(temp_);
    }
    void TearDown() override
    {
        CleanProductState();
        RemoveTree(root_);
    }

    // Runs commandLine in folder with the temporary folder at temp (or
    // temp_), answering every box with the next answer.
    RunResult RunUninstaller(const std::string &commandLine, const std::string &folder,
                       std::vector<int> answers, const std::string &temp = "")
    {
        TemporaryFolderOverride override(temp.empty() ? temp_ : temp);
        return RunWithTemporaryFolderSet(commandLine, folder, answers);
    }

    RunResult RunWithTemporaryFolderSet(const std::string &commandLine, const std::string &folder,
                                        std::vector<int> answers)
    {
        RunResult run;
        ProcessTree tree;
        EXPECT_TRUE(tree.Start(commandLine, folder)) << commandLine;
        BoxWatcher watcher(0, answers, IDOK);
        run.ended = tree.WaitForAll(60000);
        watcher.Stop();
        run.boxes = watcher.Boxes();
        run.processes = tree.processes;
        run.uninstallers = tree.Named(UNINSTALL_EXE_NAME);
        run.scripts = tree.Named(kCommandInterpreter).size();
        return run;
    }

    std::string Uninstaller() const { return "\"" + folder_ + "\\" UNINSTALL_EXE_NAME "\""; }

    void ExpectInstallationUntouched()
    {
        std::string path;
        EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &path));
        EXPECT_EQ(folder_, path);
        EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY));
        EXPECT_TRUE(FileExists(folder_ + "\\" PRODUCT_EXE_NAME));
        EXPECT_TRUE(FileExists(folder_ + "\\images\\maps\\world.gif"));
        EXPECT_TRUE(FileExists(folder_ + "\\" UNINSTALL_EXE_NAME));
        EXPECT_EQ(8, CountShortcuts());
    }

    void ExpectProductRemoved()
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
            EXPECT_FALSE(KeyExists(root, COMPANY_KEY_PATH));
        EXPECT_EQ(0, CountShortcuts());
        EXPECT_FALSE(FolderExists(folder_));
    }

    std::string root_, folder_, temp_;
};

TEST_F(UninstallProgram, CancelInTheConfirmationChangesNothing)
{
    InstallByHand(folder_);
    ProductWindow product;
    // Only the exact lower-case switch selects the removal phase.
    for (const char *arguments : {"", " /INTERNALLY", " /Internally"}) {
        SCOPED_TRACE(arguments);
        RunResult run = RunUninstaller(Uninstaller() + arguments, root_, {IDCANCEL});
        ASSERT_TRUE(run.ended);
        ASSERT_EQ(1u, run.boxes.size());
        ExpectBox(run.boxes[0], kConfirmation, ICON_QUESTION,
                  {IDOK, IDCANCEL});
        ASSERT_EQ(1u, run.processes.size()) << "no temporary copy, no script";
        EXPECT_EQ(1u, run.processes[0].exitCode);
        ExpectInstallationUntouched();
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
        EXPECT_TRUE(ListFolder(temp_).empty());
    }
    EXPECT_EQ(0, product.Closes());
}

TEST_F(UninstallProgram, ConfirmedRunRemovesEverythingInTwoProcessesAndItsScript)
{
    InstallByHand(folder_);
    WriteFileText(temp_ + "\\" UNINSTALL_EXE_NAME, "an older copy, overwritten");
    ProductWindow product;
    RunResult run = RunUninstaller(Uninstaller(), root_, {IDOK});
    ASSERT_TRUE(run.ended);

    ASSERT_EQ(1u, run.boxes.size());
    ExpectBox(run.boxes[0], kConfirmation, ICON_QUESTION,
              {IDOK, IDCANCEL});
    EXPECT_EQ(1, product.Closes());
    ASSERT_EQ(2u, run.uninstallers.size());
    EXPECT_EQ(folder_ + "\\" UNINSTALL_EXE_NAME, run.uninstallers[0].image);
    EXPECT_EQ(temp_ + "\\" UNINSTALL_EXE_NAME, run.uninstallers[1].image);
    for (const TreeProcess &process : run.uninstallers)
        EXPECT_EQ(1u, process.exitCode) << process.image;
    EXPECT_EQ(1u, run.scripts);

    ExpectProductRemoved();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    EXPECT_TRUE(FolderExists(root_));
    EXPECT_TRUE(ListFolder(temp_).empty()) << "copy and script are gone";
}

TEST_F(UninstallProgram, RemovalPhaseStartedDirectlyRemovesWithoutAsking)
{
    InstallByHand(folder_);
    std::string tools = root_ + "\\tools";
    std::string work = root_ + "\\work";
    MakeFolders(tools);
    MakeFolders(work);
    ASSERT_TRUE(CopyFileA((TestProgramFolder() + UNINSTALL_EXE_NAME).c_str(),
                          (tools + "\\Remover.exe").c_str(), FALSE));
    ProductWindow product;
    RunResult run = RunUninstaller("\"" + tools + "\\Remover.exe\" /internally", work, {});
    ASSERT_TRUE(run.ended);

    EXPECT_TRUE(run.boxes.empty());
    EXPECT_EQ(0, product.Closes());
    ASSERT_FALSE(run.processes.empty());
    EXPECT_EQ(tools + "\\Remover.exe", run.processes[0].image);
    EXPECT_EQ(1u, run.processes[0].exitCode);
    EXPECT_TRUE(run.uninstallers.empty()) << "no temporary copy";
    EXPECT_EQ(1u, run.scripts);

    ExpectProductRemoved();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH))
        << "an entry that the confirmation phase left goes with the rest";
    EXPECT_TRUE(FileExists(tools + "\\Remover.exe"));
    EXPECT_TRUE(ListFolder(temp_).empty());
}

TEST_F(UninstallProgram, MissingInstallPathIsReportedAndOnlyFilesAreSpared)
{
    InstallByHand(folder_);
    DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
    WriteFileText(temp_ + "\\" UNINSTALL_EXE_NAME, "left from an earlier run");
    // The switch inside a longer word still counts.
    RunResult run = RunUninstaller(Uninstaller() + " --x/internallyfoo", folder_, {IDOK});
    ASSERT_TRUE(run.ended);

    ASSERT_EQ(1u, run.boxes.size());
    ExpectBox(run.boxes[0], "Cannot find install path to remove files.", ICON_NONE, {IDOK});
    ASSERT_FALSE(run.processes.empty());
    EXPECT_EQ(1u, run.processes[0].exitCode);
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        EXPECT_FALSE(KeyExists(root, COMPANY_KEY_PATH)) << "the key the query made is gone too";
    EXPECT_EQ(0, CountShortcuts());
    EXPECT_TRUE(FileExists(folder_ + "\\" PRODUCT_EXE_NAME));
    EXPECT_TRUE(FileExists(folder_ + "\\images\\clock.png"));
    EXPECT_EQ(1u, run.scripts);
    EXPECT_TRUE(ListFolder(temp_).empty()) << "the script still ran";
}

TEST_F(UninstallProgram, OneCharacterInstallPathTouchesNoFile)
{
    InstallByHand(folder_);
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "X");
    MakeFolders(root_ + "\\X\\images");
    WriteFileText(root_ + "\\X\\" PRODUCT_EXE_NAME, "x");
    WriteFileText(root_ + "\\X\\images\\a.gif", "x");
    RunResult run = RunUninstaller(Uninstaller() + " /internally", root_, {});
    ASSERT_TRUE(run.ended);

    EXPECT_TRUE(run.boxes.empty());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH));
    EXPECT_TRUE(FileExists(root_ + "\\X\\" PRODUCT_EXE_NAME));
    EXPECT_TRUE(FileExists(root_ + "\\X\\images\\a.gif"));
    EXPECT_TRUE(FileExists(folder_ + "\\" PRODUCT_EXE_NAME));
}

// Names a folder holds, "." and ".." left out, as Unicode.
std::vector<std::wstring> ListFolderWide(const std::wstring &folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (wcscmp(entry.cFileName, L".") != 0 && wcscmp(entry.cFileName, L"..") != 0)
            names.push_back(entry.cFileName);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

// The temporary folder of a user named outside ASCII, and one holding what
// the command interpreter expands: the copy and its script must still go.
TEST_F(UninstallProgram, TemporaryFolderOfAnyNameIsLeftEmpty)
{
    ASSERT_EQ(1252u, GetACP()) << "tests/locale.sh en_US.UTF-8 gives 1252";
    ASSERT_EQ(437u, GetOEMCP());
    struct Case {
        const wchar_t *root;
        const wchar_t *temp;
    } cases[] = {
        {L"C:\\Jos\xe9", L"C:\\Jos\xe9\\Temp"},           // é: E9 in 1252, 82 in 437
        {L"C:\\\x141ukasz", L"C:\\\x141ukasz\\Temp"},     // Ł: in neither
        {L"C:\\t%PATH%x", L"C:\\t%PATH%x"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "temporary folder " << c.temp);
        InstallByHand(folder_);
        RunResult run;
        {
            TemporaryFolderOverride override{std::wstring(c.temp)};
            run = RunWithTemporaryFolderSet(Uninstaller(), root_, {IDOK});
        }
        ASSERT_TRUE(run.ended);
        ASSERT_EQ(1u, run.boxes.size()) << run.boxes.back().text;
        EXPECT_EQ(2u, run.uninstallers.size());
        EXPECT_EQ(1u, run.scripts);
        ExpectProductRemoved();
        EXPECT_EQ(std::vector<std::wstring>{}, ListFolderWide(c.temp)) << "copy and script are gone";
        RemoveDirectoryW(c.temp);
        RemoveDirectoryW(c.root);
    }
}

TEST_F(UninstallProgram, CopyThatCannotBeMadeIsReportedAndStopsTheUninstallation)
{
    InstallByHand(folder_);
    std::string tooLong = root_ + "\\" + std::string(250 - root_.size() - 1, 'l');
    struct Case {
        const char *what;
        std::string temp;
        bool lock;
    } cases[] = {
        {"no temporary folder", "C:\\" + std::string(300, 't'), false},
        {"no room for uninstall.exe", tooLong, false},
        {"copy in use", temp_, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_DISPLAY_NAME,
                    PRODUCT_DISPLAY_NAME);
        WriteFileText(temp_ + "\\" UNINSTALL_EXE_NAME, "in use");
        FileLock *lock = c.lock ? new FileLock(temp_ + "\\" UNINSTALL_EXE_NAME) : nullptr;
        RunResult run = RunUninstaller(Uninstaller(), root_, {IDOK, IDOK}, c.temp);
        delete lock;
        ASSERT_TRUE(run.ended);

        ASSERT_EQ(2u, run.boxes.size());
        ExpectBox(run.boxes[1], "Cannot copy uninstall.exe to TEMP.", ICON_ERROR, {IDOK});
        ASSERT_EQ(1u, run.processes.size());
        EXPECT_EQ(1u, run.processes[0].exitCode);
        EXPECT_TRUE(ValueExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_DISPLAY_NAME))
            << "the software list can start the uninstallation again";
        ExpectInstallationUntouched();
        EXPECT_EQ("in use", ReadFileText(temp_ + "\\" UNINSTALL_EXE_NAME));
    }
    EXPECT_TRUE(ListFolder(tooLong).empty());
}

}  // namespace
