// The start of the temporary copy, called in the test process (so the copy
// is of the test program), with the shell's start recorded instead of run;
// and the resources uninstall.exe carries.
#include <gtest/gtest.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "files.h"
#include "import_hook.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "product.h"
#include "uninstall.h"

namespace {

struct Start {
    HWND owner;
    bool verbNull;
    std::string file, parameters, folder;
    INT show;
};
std::vector<Start> g_starts;
INT_PTR g_startResult;

HINSTANCE WINAPI RecordShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                    LPCSTR folder, INT show)
{
    g_starts.push_back({owner, verb == NULL, file ? file : "<null>",
                        parameters ? parameters : "<null>", folder ? folder : "<null>", show});
    return (HINSTANCE)g_startResult;
}

class TemporaryCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = MakeScratchFolder(
            std::string("uninstall_phases_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        temp_ = root_ + "\\temp dir";
        g_starts.clear();
        g_startResult = 33;
    }
    void TearDown() override { RemoveTree(root_); }
    std::string root_, temp_;
};

TEST_F(TemporaryCopy, CopiesOverAnOlderCopyAndStartsItMinimisedWithTheSwitch)
{
    TemporaryFolderOverride override(temp_);
    WriteFileText(temp_ + "\\" UNINSTALL_EXE_NAME, "older copy");
    ImportSwap swap("shell32.dll", "ShellExecuteA", (void *)RecordShellExecute);
    ASSERT_TRUE(swap.Original());
    BoxAnswerer answerer;

    EXPECT_EQ(1, StartTemporaryCopy());

    EXPECT_TRUE(answerer.boxes.empty());
    EXPECT_EQ(ReadFileText(TestProgramPath()), ReadFileText(temp_ + "\\" UNINSTALL_EXE_NAME))
        << "the running program, under the fixed name";
    ASSERT_EQ(1u, g_starts.size());
    EXPECT_EQ(NULL, g_starts[0].owner);
    EXPECT_TRUE(g_starts[0].verbNull);
    EXPECT_EQ(temp_ + "\\" UNINSTALL_EXE_NAME, g_starts[0].file);
    EXPECT_EQ("/internally", g_starts[0].parameters);
    EXPECT_EQ(temp_ + "\\", g_starts[0].folder) << "as GetTempPathA gives it";
    EXPECT_EQ(SW_MINIMIZE, g_starts[0].show);
}

TEST_F(TemporaryCopy, MissingTemporaryFolderIsCreated)
{
    TemporaryFolderOverride override(temp_);
    RemoveTree(temp_);
    ImportSwap swap("shell32.dll", "ShellExecuteA", (void *)RecordShellExecute);
    EXPECT_EQ(1, StartTemporaryCopy());
    EXPECT_TRUE(FileExists(temp_ + "\\" UNINSTALL_EXE_NAME));
}

TEST_F(TemporaryCopy, CopyThatCannotStartIsReported)
{
    TemporaryFolderOverride override(temp_);
    g_startResult = SE_ERR_FNF;
    ImportSwap swap("shell32.dll", "ShellExecuteA", (void *)RecordShellExecute);
    BoxAnswerer answerer;

    EXPECT_EQ(0, StartTemporaryCopy());

    ASSERT_EQ(1u, answerer.boxes.size());
    EXPECT_EQ("Cannot start uninstall.exe in TEMP.", answerer.boxes[0].text);
    EXPECT_EQ(PRODUCT_DISPLAY_NAME, answerer.boxes[0].caption);
    EXPECT_STREQ("error", IconKindName(answerer.boxes[0].icon));
    EXPECT_EQ(std::vector<int>{IDOK}, answerer.boxes[0].buttons);
    EXPECT_TRUE(FileExists(temp_ + "\\" UNINSTALL_EXE_NAME)) << "the copy stays";
}

TEST_F(TemporaryCopy, NoTemporaryFolderIsACopyFailure)
{
    ImportSwap swap("shell32.dll", "ShellExecuteA", (void *)RecordShellExecute);
    for (const std::string &temp :
         {"C:\\" + std::string(300, 't'), root_ + "\\" + std::string(250 - root_.size() - 1, 'l')}) {
        TemporaryFolderOverride override(temp);
        BoxAnswerer answerer;
        EXPECT_EQ(0, StartTemporaryCopy()) << temp;
        ASSERT_EQ(1u, answerer.boxes.size());
        EXPECT_EQ("Cannot copy uninstall.exe to TEMP.", answerer.boxes[0].text);
        EXPECT_STREQ("error", IconKindName(answerer.boxes[0].icon));
    }
    EXPECT_TRUE(g_starts.empty());
}

TEST(UninstallResources, IconGroupManifestAndVersion)
{
    std::string program = TestProgramFolder() + UNINSTALL_EXE_NAME;
    HMODULE module = LoadLibraryExA(program.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module != NULL) << program;

    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(101), (LPCSTR)RT_GROUP_ICON);
    ASSERT_TRUE(group != NULL);
    const BYTE *data = (const BYTE *)LockResource(LoadResource(module, group));
    ASSERT_TRUE(data != NULL);
    WORD count = *(const WORD *)(data + 4);
    ASSERT_EQ(2, count);
    std::vector<int> sizes;
    for (WORD i = 0; i < count; ++i) {
        const BYTE *entry = data + 6 + 14 * i;  // GRPICONDIRENTRY
        sizes.push_back(entry[0]);
        EXPECT_EQ(16, entry[2]) << "16 colours";
    }
    EXPECT_EQ((std::vector<int>{16, 32}), sizes);

    EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(1), (LPCSTR)RT_MANIFEST) != NULL);
    EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(1), (LPCSTR)RT_VERSION) != NULL);
    FreeLibrary(module);

    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(program.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, size, info.data()));
    char *text = NULL;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\OriginalFilename",
                               (void **)&text, &length));
    EXPECT_STREQ(UNINSTALL_EXE_NAME, text);
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\StringFileInfo\\040904b0\\ProductName",
                               (void **)&text, &length));
    EXPECT_STREQ(PRODUCT_DISPLAY_NAME, text);
}

}  // namespace
