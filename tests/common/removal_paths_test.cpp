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
        unsigned codePage;
    } cases[] = {
        {"C:\\Program Files\\Velkor Chronex", 1, "C:\\Program Files", 1252},
        {"C:\\Velkor Software\\Chronex", 1, "C:\\Velkor Software", 1252},
        {"C:\\Apps\\Chronex\\", 1, "C:\\Apps\\Chronex", 1252},
        {"C:\\Chronex", 1, "C:", 1252},
        {"C:", 0, "untouched", 1252},
        {"Chronex", 0, "untouched", 1252},
        // ソ (83 5C) and 表 (95 5C) end in the byte of a backslash.
        {"C:\\\x83\x5c\x83\x74\x83\x67\x95\x5c", 1, "C:", 932},
        {"C:\\A\\\x83\x5c", 1, "C:\\A", 932},
        {"C:\\A\\\x83\x5c", 1, "C:\\A\\\x83", 1252},
        {"C:\\A\x83", 1, "C:", 932},
    };
    for (const Case &c : cases) {
        char parent[260] = "untouched";
                EXPECT_EQ(c.found, ComposeParentFolder(parent, sizeof(parent), c.folder, c.codePage))
            << c.folder;
        EXPECT_STREQ(c.parent, parent) << c.folder;
    }
    Guarded<64> g("old");
    std::string longFolder = std::string(70, 'p') + "\\x";
    EXPECT_EQ(0, ComposeParentFolder(g.buffer, sizeof(g.buffer), longFolder.c_str(), 1252));
    EXPECT_STREQ("old", g.buffer);
    EXPECT_TRUE(g.GuardIntact());
}

TEST(ParentFolder, CompanyFolderMarkIsExactCase)
{
    EXPECT_EQ(1, IsCompanyFolder("C:\\Velkor Software", 1252));
    EXPECT_EQ(1, IsCompanyFolder("D:\\Tools\\Velkor Software\\Old", 1252));
    EXPECT_EQ(1, IsCompanyFolder("C:\\Velkor Software Tools", 1252));
    EXPECT_EQ(0, IsCompanyFolder("C:\\velkor software", 1252));
    EXPECT_EQ(0, IsCompanyFolder("C:\\VELKOR SOFTWARE", 1252));
    EXPECT_EQ(0, IsCompanyFolder("C:Velkor Software", 1252));
    EXPECT_EQ(0, IsCompanyFolder("C:\\Program Files", 1252));
    // In 932 the 5C ends a character (ソ) and begins no mark.
    EXPECT_EQ(0, IsCompanyFolder("C:\\\x83\x5cVelkor Software", 932));
    EXPECT_EQ(1, IsCompanyFolder("C:\\\x83\x5c\\Velkor Software", 932));
}

}  // namespace
