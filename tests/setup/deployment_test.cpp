// DeployFiles takes its source folder from the running program's path, so
// each case copies this test program into a distribution folder as its
// "Setup.exe" and runs it there with a filter that selects DeployChild.Run.
// The child calls DeployFiles in-process, answers its boxes, records its
// shell notifications and writes both into a report that the case reads.
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
#include "process.h"
#include "product.h"
#include "registry.h"
#include "setup.h"

namespace {

const char kInstallVariable[] = "CHRONEX_DEPLOY_INSTALL";
const char kReportVariable[] = "CHRONEX_DEPLOY_REPORT";
const char kReportPath[] = "C:\\tests\\deploy_report.txt";
const char kDist[] = "C:\\tests\\deploy_dist";
const char kInstall[] = "C:\\tests\\deploy_inst";

std::string Unescape(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
    return out;
}

std::vector<std::string> Split(const std::string &text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

// The child's side: only runs when a case started this program as a
// distribution's setup.
TEST(DeployChild, Run)
{
    char install[1024] = "";
    char report[1024] = "";
    if (!GetEnvironmentVariableA(kInstallVariable, install, sizeof(install)) ||
        !GetEnvironmentVariableA(kReportVariable, report, sizeof(report)))
        GTEST_SKIP() << "started by the deployment cases only";
    lstrcpynA(g_installFolder, install, MAX_PATH);

    std::string lines;
    {
        BoxAnswerer answerer;
        ShellNotifyLog log;
        DeployFiles();
        for (const BoxRecord &box : answerer.boxes) {
            std::string buttons;
            for (int id : box.buttons)
                buttons += std::to_string(id) + ",";
            lines += "BOX\t" + EscapedText(box.text) + "\t" + EscapedText(box.caption) + "\t" +
                     std::to_string(box.icon) + "\t" + buttons + "\n";
        }
        for (const ShellNotifyCall &call : log.calls)
            lines += "NOTIFY\t" + std::to_string(call.event) + "\t" +
                     std::to_string(call.flags) + "\t" + EscapedText(call.path1) + "\n";
    }
    WriteFileText(report, lines);
}

struct Deployment {
    DWORD exitCode = STILL_ACTIVE;
    std::vector<BoxRecord> boxes;
    std::vector<ShellNotifyCall> calls;
};

Deployment Deploy(const std::string &dist, const std::string &install)
{
    Deployment result;
    DeleteFileA(kReportPath);
    if (!CopyFileA(TestProgramPath().c_str(), (dist + "\\Setup.exe").c_str(), FALSE))
        return result;
    SetEnvironmentVariableA(kInstallVariable, install.c_str());
    SetEnvironmentVariableA(kReportVariable, kReportPath);
    Program child;
    bool started = StartProgram("\"" + dist + "\\Setup.exe\" --gtest_filter=DeployChild.Run",
                                "C:\\", &child);
    SetEnvironmentVariableA(kInstallVariable, NULL);
    SetEnvironmentVariableA(kReportVariable, NULL);
    if (!started)
        return result;
    result.exitCode = WaitForExit(child, 120000);
    EndProgram(&child);

    for (const std::string &line : Split(ReadFileText(kReportPath), '\n')) {
        std::vector<std::string> f = Split(line, '\t');
        if (f[0] == "BOX" && f.size() == 5) {
            BoxRecord box;
            box.text = Unescape(f[1]);
            box.caption = Unescape(f[2]);
            box.icon = std::stoi(f[3]);
            for (const std::string &id : Split(f[4], ','))
                if (!id.empty())
                    box.buttons.push_back(std::stoi(id));
            result.boxes.push_back(box);
        }
        else if (f[0] == "NOTIFY" && f.size() == 4)
            result.calls.push_back(
                {std::stol(f[1]), (UINT)std::stoul(f[2]), Unescape(f[3]), ""});
    }
    DeleteFileA(kReportPath);
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
        DeleteFileA(kReportPath);
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
    ASSERT_EQ(0u, d.exitCode);
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
    std::vector<RegistryValue> entry = ExpectedRegistration(install);
    ExpectRegistryValues({entry[1], entry[2]});

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
    ASSERT_EQ(0u, d.exitCode);
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
    ASSERT_EQ(0u, d.exitCode);
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
    ASSERT_EQ(0u, d.exitCode);
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
    ASSERT_EQ(0u, d.exitCode);
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
