// The installed-file list the uninstaller deletes by name: its kinds and
// counts, the entries it must hold, and the installer's pre-copy names in
// it. Pure data, so the file also builds natively.
#include <gtest/gtest.h>

#include <ctype.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "file_lists.h"

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

std::vector<std::string> Names(const char *list)
{
    std::vector<std::string> names;
    for (const char *name = list; *name; name = NextListedName(name))
        names.push_back(name);
    return names;
}

std::set<std::string> InstalledNamesLower()
{
    std::set<std::string> names;
    for (const std::string &name : Names(kInstalledFileNames))
        names.insert(Lower(name));
    return names;
}

TEST(InstalledFileList, HasTheKindsAndCountsOfTheProduct)
{
    ASSERT_EQ(106u, Names(kInstalledFileNames).size());
    EXPECT_EQ(106u, InstalledNamesLower().size()) << "each name once, letter case ignored";
    std::map<std::string, int> kinds;
    for (const std::string &name : Names(kInstalledFileNames)) {
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
    std::vector<std::string> list = Names(kInstalledFileNames);
    std::set<std::string> names(list.begin(), list.end());
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
    std::vector<std::string> preCopy = Names(kPreCopyDeletionNames);
    ASSERT_EQ(13u, preCopy.size());
    std::vector<std::string> list = Names(kInstalledFileNames);
    std::set<std::string> names(list.begin(), list.end());
    for (const std::string &name : preCopy)
        EXPECT_EQ(1u, names.count(name)) << name;
}

}  // namespace
