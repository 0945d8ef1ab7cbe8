// The uninstaller's pure routines and product data: the installed-file list,
// the cleanup script's name and bytes, the parent-folder rule. No Win32 here,
// so the file also builds natively.
#include <gtest/gtest.h>

#include <ctype.h>
#include <string.h>

#include <map>
#include <set>
#include <string>

#include "cleanup_script_text.h"
#include "file_lists.h"
#include "guarded.h"
#include "removal_paths.h"

namespace {

std::string Lower(const std::string &text)
{
    std::string lower = text;
    for (char &c : lower)
        c = (char)tolower((unsigned char)c);
    return lower;
}

std::string Extension(const std::string &name)
{
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? "" : Lower(name.substr(dot));
}

std::set<std::string> InstalledNamesLower()
{
    std::set<std::string> names;
    for (size_t i = 0; i < kInstalledFileCount; ++i)
        names.insert(Lower(kInstalledFileList[i]));
    return names;
}

TEST(InstalledFileList, HasTheKindsAndCountsOfTheProduct)
{
    ASSERT_EQ(106u, kInstalledFileCount);
    EXPECT_EQ(106u, InstalledNamesLower().size()) << "each name once, letter case ignored";
    std::map<std::string, int> kinds;
    for (size_t i = 0; i < kInstalledFileCount; ++i) {
        std::string name = kInstalledFileList[i];
        EXPECT_EQ(std::string::npos, name.find_first_of("\\/:")) << name;
        kinds[Extension(name)]++;
    }
    std::map<std::string, int> others = kinds;
    for (const char *known : {".exe", ".htm", ".wav", ".mid", ".url", ".ico", ".txt"})
        others.erase(known);
    EXPECT_EQ(25, kinds[".exe"]);
    EXPECT_EQ(28, kinds[".htm"]);
    EXPECT_EQ(35, kinds[".wav"]);
    EXPECT_EQ(10, kinds[".mid"]);
    EXPECT_EQ(3, kinds[".url"]);
    EXPECT_EQ(2, kinds[".ico"]);
    EXPECT_EQ(2, kinds[".txt"]);
    ASSERT_EQ(1u, others.size()) << "one data file with an extension of its own";
    EXPECT_EQ(1, others.begin()->second);
}

TEST(InstalledFileList, HoldsTheNamedEntriesButNotTheUninstaller)
{
    std::set<std::string> names;
    for (size_t i = 0; i < kInstalledFileCount; ++i)
        names.insert(kInstalledFileList[i]);
    for (const char *named :
         {"Chronex.exe", "setup.exe", "chronex.htm", "index.htm", "order.htm", "de.htm",
          "deorder.htm", "Velkor Chronex Homepage.url", "Settings.ico", "Quillstar.ico",
          "la.txt"})
        EXPECT_EQ(1u, names.count(named)) << named;
    EXPECT_EQ(0u, InstalledNamesLower().count("uninstall.exe"));
}

// Spelled alike in both lists, letter case included.
TEST(InstalledFileList, HoldsEveryNameOfThePreCopyDeletionList)
{
    ASSERT_EQ(13u, kPreCopyDeletionCount);
    std::set<std::string> names(kInstalledFileList, kInstalledFileList + kInstalledFileCount);
    for (size_t i = 0; i < kPreCopyDeletionCount; ++i)
        EXPECT_EQ(1u, names.count(kPreCopyDeletionList[i])) << kPreCopyDeletionList[i];
}

TEST(CleanupScriptName, DecimalNumberWithoutLeadingZeros)
{
    struct Case {
        int number;
        const char *expected;
    } cases[] = {
        {1, "T:\\tmp\\delme1.bat"},
        {7, "T:\\tmp\\delme7.bat"},
        {10, "T:\\tmp\\delme10.bat"},
        {200, "T:\\tmp\\delme200.bat"},
    };
    for (const Case &c : cases) {
        char path[260] = "garbage";
        EXPECT_EQ(1, ComposeCleanupScriptPath(path, sizeof(path), "T:\\tmp\\", c.number));
        EXPECT_STREQ(c.expected, path);
    }
}

TEST(CleanupScriptName, RefusedWhenItDoesNotFit)
{
    Guarded<64> g("old");
    // A 53-character folder leaves room (63 characters) for delme1.bat to
    // delme9.bat, not for delme10.bat.
    std::string folder = "T:\\" + std::string(49, 'f') + "\\";
    EXPECT_EQ(1, ComposeCleanupScriptPath(g.buffer, sizeof(g.buffer), folder.c_str(), 9));
    EXPECT_EQ(folder + "delme9.bat", g.buffer);
    EXPECT_EQ(0, ComposeCleanupScriptPath(g.buffer, sizeof(g.buffer), folder.c_str(), 10));
    EXPECT_EQ(folder + "delme9.bat", g.buffer) << "a refused name leaves the buffer";
    EXPECT_EQ(0, ComposeCleanupScriptPath(g.buffer, sizeof(g.buffer), "T:\\", -1));
    EXPECT_TRUE(g.GuardIntact());
}

TEST(CleanupScriptText, ExactBytes)
{
    char content[CLEANUP_SCRIPT_CAPACITY];
    memset(content, 'G', sizeof(content));
    ASSERT_EQ(1, ComposeCleanupScript(content, sizeof(content), "C:\\Temp dir\\",
                                      "C:\\Temp dir\\delme3.bat"));
    EXPECT_STREQ("\r\n"
                 "@echo off\r\n"
                 ":myLabel\r\n"
                 "del \"C:\\Temp dir\\uninstall.exe\"\r\n"
                 "if exist \"C:\\Temp dir\\uninstall.exe\" goto myLabel\r\n"
                 "del \"C:\\Temp dir\\delme3.bat\"\r\n",
                 content);
}

TEST(CleanupScriptText, LongestPathsFitAndTooSmallBufferIsRefused)
{
    std::string folder = "C:\\" + std::string(255, 't') + "\\";  // 259 characters
    std::string script = folder.substr(0, 247) + "delme200.bat";
    char content[CLEANUP_SCRIPT_CAPACITY];
    ASSERT_EQ(1, ComposeCleanupScript(content, sizeof(content), folder.c_str(), script.c_str()));
    EXPECT_EQ(91 + 2 * folder.size() + script.size(), strlen(content));

    Guarded<64> g("old");
    EXPECT_EQ(0, ComposeCleanupScript(g.buffer, sizeof(g.buffer), "C:\\T\\", "C:\\T\\delme1.bat"));
    EXPECT_STREQ("old", g.buffer);
    EXPECT_TRUE(g.GuardIntact());
}

TEST(ParentFolder, EndsAtTheLastBackslash)
{
    struct Case {
        const char *folder;
        int found;
        const char *parent;
    } cases[] = {
        {"C:\\Program Files\\Velkor Chronex", 1, "C:\\Program Files"},
        {"C:\\Velkor Software\\Chronex", 1, "C:\\Velkor Software"},
        {"C:\\Apps\\Chronex\\", 1, "C:\\Apps\\Chronex"},
        {"C:\\Chronex", 1, "C:"},
        {"C:", 0, "untouched"},
        {"Chronex", 0, "untouched"},
    };
    for (const Case &c : cases) {
        char parent[260] = "untouched";
        EXPECT_EQ(c.found, ComposeParentFolder(parent, sizeof(parent), c.folder)) << c.folder;
        EXPECT_STREQ(c.parent, parent) << c.folder;
    }
    Guarded<64> g("old");
    std::string longFolder = std::string(70, 'p') + "\\x";
    EXPECT_EQ(0, ComposeParentFolder(g.buffer, sizeof(g.buffer), longFolder.c_str()));
    EXPECT_STREQ("old", g.buffer);
    EXPECT_TRUE(g.GuardIntact());
}

TEST(ParentFolder, CompanyFolderMarkIsExactCase)
{
    EXPECT_EQ(1, IsCompanyFolder("C:\\Velkor Software"));
    EXPECT_EQ(1, IsCompanyFolder("D:\\Tools\\Velkor Software\\Old"));
    EXPECT_EQ(1, IsCompanyFolder("C:\\Velkor Software Tools"));
    EXPECT_EQ(0, IsCompanyFolder("C:\\velkor software"));
    EXPECT_EQ(0, IsCompanyFolder("C:\\VELKOR SOFTWARE"));
    EXPECT_EQ(0, IsCompanyFolder("C:Velkor Software"));
    EXPECT_EQ(0, IsCompanyFolder("C:\\Program Files"));
}

}  // namespace
