// The start of the temporary copy, called in the test process (so the copy
// is of the test program), with the shell's start recorded instead of run;
// and the resources uninstall.exe carries.
#include <gtest/gtest.h>

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

class TemporaryCopy : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = MakeScratchFolder(
            std::string("uninstall_phases_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        temp_ = root_ + "\\temp dir";
    }
    void TearDown() override { RemoveTreeWithLinks(root_); }
    std::string root_, temp_;
};

TEST_F(TemporaryCopy, ReplacesAHiddenReadOnlyOlderCopyAndStartsItMinimisedWithTheSwitch)
{
    TemporaryFolderOverride override(temp_);
    const std::string copy = temp_ + "\\" UNINSTALL_EXE_NAME;
    WriteFileText(copy, "older copy");
    SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ProgramStartLog log;
    ASSERT_TRUE(log.Active());
    BoxAnswerer answerer;

    EXPECT_EQ(1, StartTemporaryCopy());

    EXPECT_TRUE(answerer.boxes.empty());
    EXPECT_TRUE(ReadFileText(TestProgramPath()) == ReadFileText(copy))
        << "the running program, under the fixed name";
    ASSERT_EQ(1u, log.starts.size());
    EXPECT_TRUE(log.starts[0].applicationNull);
    EXPECT_EQ("\"" + copy + "\" /internally", log.starts[0].commandLine);
    EXPECT_EQ(temp_ + "\\", log.starts[0].folder) << "as GetTempPathA gives it";
    EXPECT_EQ(SW_MINIMIZE, log.starts[0].show);
    EXPECT_FALSE(log.starts[0].inheritsHandles);
}

TEST_F(TemporaryCopy, MissingTemporaryFolderIsCreated)
{
    TemporaryFolderOverride override(temp_);
    RemoveTree(temp_);
    ProgramStartLog log;
    EXPECT_EQ(1, StartTemporaryCopy());
    EXPECT_TRUE(FileExists(temp_ + "\\" UNINSTALL_EXE_NAME));
}

TEST_F(TemporaryCopy, CopyThatCannotStartIsReported)
{
    TemporaryFolderOverride override(temp_);
    ProgramStartLog log;
    log.fail = true;
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
    ProgramStartLog log;
    for (const std::string &temp :
         {"C:\\" + std::string(300, 't'), root_ + "\\" + std::string(250 - root_.size() - 1, 'l')}) {
        TemporaryFolderOverride override(temp);
        BoxAnswerer answerer;
        EXPECT_EQ(0, StartTemporaryCopy()) << temp;
        ASSERT_EQ(1u, answerer.boxes.size());
        EXPECT_EQ("Cannot copy uninstall.exe to TEMP.", answerer.boxes[0].text);
        EXPECT_STREQ("error", IconKindName(answerer.boxes[0].icon));
    }
    EXPECT_TRUE(log.starts.empty());
}

// Another program's file reached through a link or a hard link at the
// copy's name, or through a temporary folder that is a link: it keeps its
// bytes, and a copy is started only where the name could be made new.
TEST_F(TemporaryCopy, NeverWritesThroughALink)
{
    const std::string own = ReadFileText(TestProgramPath());
    const std::string other = root_ + "\\other program";
    const std::string otherFile = other + "\\" UNINSTALL_EXE_NAME;
    struct Case {
        const char *what;
        const char *otherBytes;  // NULL: an earlier copy of this program
        bool tempIsLink, nameIsLink, nameIsHardLink, started;
    } cases[] = {
        {"temporary folder a link to another program's folder", "other", true, false, false, false},
        {"temporary folder a link, with an earlier copy", NULL, true, false, false, true},
        // Wine shows a link to a file as that file: it cannot go without it.
        {"copy's name a link to another program's file", "other", false, true, false, false},
        {"copy's name a hard link to another program's file", "other", false, false, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTreeWithLinks(temp_);
        RemoveTree(other);
        MakeFolders(other);
        const std::string otherBytes = c.otherBytes ? c.otherBytes : own;
        WriteFileText(otherFile, otherBytes);
        const std::string copy = temp_ + "\\" UNINSTALL_EXE_NAME;
        if (c.tempIsLink) {
            ASSERT_TRUE(MakeFolderLink(temp_, other));
        } else {
            MakeFolders(temp_);
            ASSERT_TRUE(c.nameIsLink ? MakeFileLink(copy, otherFile)
                                     : CreateHardLinkA(copy.c_str(), otherFile.c_str(), NULL));
        }
        TemporaryFolderOverride override(temp_);
        ProgramStartLog log;
        BoxAnswerer answerer;

        EXPECT_EQ(c.started ? 1 : 0, StartTemporaryCopy());

        EXPECT_EQ(c.started ? 1u : 0u, log.starts.size());
        if (c.started) {
            EXPECT_TRUE(own == ReadFileText(copy)) << "not the program's bytes";
            EXPECT_TRUE(answerer.boxes.empty());
        } else {
            ASSERT_EQ(1u, answerer.boxes.size());
            EXPECT_EQ("Cannot copy uninstall.exe to TEMP.", answerer.boxes[0].text);
        }
        EXPECT_TRUE(otherBytes == ReadFileText(otherFile)) << "the other file changed";
    }
    RemoveTreeWithLinks(temp_);
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
