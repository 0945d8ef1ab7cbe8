// The parent-folder rule of the uninstaller: the folder that holds the
// install folder, and the company folder mark in its exact letter case. Pure
// routines, so the file also builds natively.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "guarded.h"
#include "removal_paths.h"

namespace {

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
