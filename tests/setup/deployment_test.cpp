// The copy steps called in the test process, in the order setup runs them,
// on a distribution folder of the case's own: the files, the boxes (each
// answered) and the shell notifications.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <set>

#include "distribution.h"
#include "expect.h"
#include "files.h"
#include "import_hook.h"
#include "long_paths.h"
#include "installation.h"
#include "machine.h"
#include "msgbox.h"
#include "product.h"
#include "registry.h"
#include "setup.h"

namespace {

const char kDist[] = "C:\\tests\\deploy_dist";
const char kInstall[] = "C:\\tests\\deploy_inst";

struct Deployment {
    std::vector<BoxRecord> boxes;
    std::vector<ShellNotifyCall> calls;
};

// The deletion, uninstall.exe with its entry once it is copied, then the
// rest of the distribution, as WinMain runs them.
Deployment Deploy(const std::string &dist, const std::string &install)
{
    Deployment result;
    lstrcpynA(g_installFolder, install.c_str(), MAX_PATH);
    const std::string source = dist + "\\";
    BoxAnswerer answerer;
    ShellNotifyLog log;
    DeletePreCopyFiles();
    if (CopyUninstaller(source.c_str()))
        WriteUninstallEntry(source.c_str());
    CopyDistribution(source.c_str());
    result.boxes = answerer.boxes;
    result.calls = log.calls;
    return result;
}

const std::vector<std::string> kCopiedFiles = {"Chronex.exe",  "Settings.ico",  "hidden.dat",
                                               "mysetup.exe",  "readme.txt",    "readonly.txt",
                                               "uninstall.exe"};

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

class Deploying : public ::testing::Test {
protected:
    void SetUp() override { CleanProductState(); }
    void TearDown() override
    {
        CleanProductState();
        for (const std::string &path : longFiles_)
            DeleteLongPathFile(path);
        RemoveTree(kDist);
        RemoveTree(kInstall);
    }
    std::vector<std::string> longFiles_;
};

TEST_F(Deploying, CopiesPlainFilesAfterDeletingTheOtherToolsFiles)
{
    MakeDistribution("deploy_dist", true);
    std::string install = MakeScratchFolder("deploy_inst");
    for (const std::string &name : PreCopyNames())
        WriteFileText(install + "\\" + name, "other tool");
    SetFileAttributesA((install + "\\Penstroke.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    WriteFileText(install + "\\keep.htm", "not on the list");
    WriteFileText(install + "\\readme.txt", "old readme");

    Deployment d = Deploy(kDist, install);
    EXPECT_EQ(0u, d.boxes.size()) << (d.boxes.empty() ? "" : d.boxes[0].text);

    std::vector<std::string> expected = kCopiedFiles;
    expected.push_back(IMAGES_FOLDER_NAME);
    expected.push_back("keep.htm");
    expected.push_back("Penstroke.exe");  // read-only: left as it is
    EXPECT_EQ(Sorted(expected), ListFolder(install));
    for (const std::string &name : kCopiedFiles)
        EXPECT_EQ(ReadFileText(std::string(kDist) + "\\" + name),
                  ReadFileText(install + "\\" + name))
            << name;
    EXPECT_EQ("new readme", ReadFileText(install + "\\readme.txt")) << "replaced";
    EXPECT_TRUE(GetFileAttributesA((install + "\\hidden.dat").c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ((std::vector<std::string>{"back.gif", "logo.png"}),
              ListFolder(install + "\\images"));

    // uninstall.exe was copied, so the software list names it.
    ExpectRegistryValues(ExpectedUninstallEntry(install, kDist));

    ASSERT_EQ(1u, d.calls.size()) << "the images folder, and no flush after it";
    EXPECT_EQ(SHCNE_MKDIR, d.calls[0].event);
    EXPECT_EQ((UINT)SHCNF_PATHA, d.calls[0].flags);
    EXPECT_EQ(install + "\\images", d.calls[0].path1);
    SetFileAttributesA((install + "\\Penstroke.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Without images in the distribution the images folder is still made (or
// kept) and announced; a trailing backslash is not doubled anywhere.
TEST_F(Deploying, InstallFolderWithTrailingBackslashAndNoImagesInTheSource)
{
    MakeDistribution("deploy_dist", false);
    std::string install = MakeScratchFolder("deploy_inst");
    Deployment d = Deploy(kDist, install + "\\");
    EXPECT_EQ(0u, d.boxes.size());
    std::vector<std::string> expected = kCopiedFiles;
    expected.push_back(IMAGES_FOLDER_NAME);
    EXPECT_EQ(Sorted(expected), ListFolder(install));
    EXPECT_TRUE(ListFolder(install + "\\images").empty());
    ASSERT_EQ(1u, d.calls.size());
    EXPECT_EQ(install + "\\images", d.calls[0].path1);

    d = Deploy(kDist, install);
    ASSERT_EQ(1u, d.calls.size()) << "announced also when it existed";
    EXPECT_EQ(SHCNE_MKDIR, d.calls[0].event);
}

TEST_F(Deploying, ThreeLockedFilesGiveThreeBoxesAndEverythingElseIsCopied)
{
    MakeDistribution("deploy_dist", true);
    std::string install = MakeScratchFolder("deploy_inst");
    MakeFolders(install + "\\images");
    for (const char *name : {"\\readme.txt", "\\uninstall.exe", "\\images\\logo.png"})
        WriteFileText(install + name, "old");
    Deployment d;
    {
        FileLock a(install + "\\readme.txt");
        FileLock b(install + "\\uninstall.exe");
        FileLock c(install + "\\images\\logo.png");
        ASSERT_TRUE(a.Held() && b.Held() && c.Held());
        d = Deploy(kDist, install);
    }
    ASSERT_EQ(3u, d.boxes.size());
    // The source folder's order is the file system's; the images pass comes last.
    std::set<std::string> firstPass = {d.boxes[0].text, d.boxes[1].text};
    EXPECT_EQ((std::set<std::string>{SourceCopyMessage("readme.txt"),
                                     SourceCopyMessage("uninstall.exe")}),
              firstPass);
    for (const BoxRecord &box : d.boxes)
        ExpectBox(box, nullptr, ICON_ERROR, {IDOK});
    EXPECT_EQ(
        "Cannot copy 'logo.png'.\r\n\r\nIf the file is in use, please close it and then run "
        "setup again.",
        d.boxes[2].text);
    EXPECT_EQ(
        "Cannot copy 'readme.txt' because the file is in use.\r\n\r\nPlease restart your "
        "computer, then run setup again.",
        SourceCopyMessage("readme.txt"));

    EXPECT_EQ("old", ReadFileText(install + "\\readme.txt"));
    EXPECT_EQ("old", ReadFileText(install + "\\images\\logo.png"));
    for (const char *name : {"Chronex.exe", "mysetup.exe", "hidden.dat", "readonly.txt",
                             "Settings.ico"})
        EXPECT_TRUE(FileExists(install + "\\" + name)) << name;
    EXPECT_EQ("back", ReadFileText(install + "\\images\\back.gif"));
}

// A copy whose path does not fit is reported like any failed copy, with the
// whole file name in the box.
TEST_F(Deploying, PathsThatDoNotFitAreReportedNotOverflowed)
{
    MakeDistribution("deploy_dist", true);
    const std::string longName = std::string(251, 'n') + ".txt";  // 255 characters
    const std::string longFile = std::string(kDist) + "\\" + longName;
    ASSERT_TRUE(WriteLongPathFile(longFile, "long"));
    longFiles_.push_back(longFile);

    std::string install = MakeScratchFolder("deploy_inst");
    Deployment d = Deploy(kDist, install);
    ASSERT_EQ(1u, d.boxes.size());
    EXPECT_EQ(SourceCopyMessage(longName), d.boxes[0].text);
    ExpectBox(d.boxes[0], nullptr, ICON_ERROR, {IDOK});
    std::vector<std::string> expected = kCopiedFiles;
    expected.push_back(IMAGES_FOLDER_NAME);
    EXPECT_EQ(Sorted(expected), ListFolder(install));

    // No path below this folder fits: every file is reported with its pass's
    // message and the images folder is neither made nor announced.
    const std::string deep = "C:\\tests\\" + std::string(246, 'd');
    CleanProductState();
    d = Deploy(kDist, deep);
    std::multiset<std::string> texts;
    for (const BoxRecord &box : d.boxes)
        texts.insert(box.text);
    std::multiset<std::string> expectedTexts = {SourceCopyMessage(longName),
                                                ImagesCopyMessage("logo.png"),
                                                ImagesCopyMessage("back.gif")};
    for (const std::string &name : kCopiedFiles)
        expectedTexts.insert(SourceCopyMessage(name));
    EXPECT_EQ(expectedTexts, texts);
    ASSERT_EQ(10u, d.boxes.size());
    EXPECT_NE(std::string::npos, d.boxes[9].text.find("If the file is in use"))
        << "the images pass comes last";
    EXPECT_EQ(0u, d.calls.size());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH))
        << "no uninstall.exe, no entry in the software list";
}

}  // namespace
