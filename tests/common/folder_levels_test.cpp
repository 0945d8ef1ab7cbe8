// The walk over the levels of a folder path: which levels are tested and
// created for local, network and bare paths, and which paths are refused.
// Pure routines, so this file also builds natively.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "folder_levels.h"
#include "guarded.h"

namespace {

// The levels in the order the install options dialog visits them, or
// {"<refused>"} when the path names no folder.
std::vector<std::string> Levels(const char *path, unsigned codePage = 1252)
{
    size_t separator = 0xdeadbeef;
    if (!FindStartSeparator(path, &separator, codePage))
        return {"<refused>"};
    std::vector<std::string> levels;
    while (separator != NO_SEPARATOR && levels.size() < 64) {
        char level[260];
        size_t next = FindNextSeparator(path, separator, codePage);
        if (!CopyFolderLevel(level, sizeof(level), path, next, codePage))
            return {"<too long>"};
        levels.push_back(level);
        separator = next;
    }
    return levels;
}

TEST(FolderLevels, WalkFromTheTopDown)
{
    struct Case {
        const char *path;
        std::vector<std::string> levels;
        unsigned codePage;
    } cases[] = {
        {"C:\\A\\B\\C", {"C:\\A", "C:\\A\\B", "C:\\A\\B\\C"}, 1252},
        {"C:\\Program Files\\Velkor Chronex",
         {"C:\\Program Files", "C:\\Program Files\\Velkor Chronex"}, 1252},
        {"C:\\A", {"C:\\A"}, 1252},
        // A second trailing backslash survives the dialog's OK: the last
        // level is the whole path, backslash included.
        {"C:\\A\\", {"C:\\A", "C:\\A\\"}, 1252},
        {"\\A\\B", {"\\A", "\\A\\B"}, 1252},
        {"relative\\dir", {"relative\\dir"}, 1252},
        // Nothing below the root: nothing is created, the path is accepted.
        {"C:", {}, 1252},
        {"bare", {}, 1252},
        {"", {}, 1252},
        // Server and share are never levels of their own.
        {"\\\\server\\share\\dir", {"\\\\server\\share\\dir"}, 1252},
        {"\\\\server\\share\\d1\\d2", {"\\\\server\\share\\d1", "\\\\server\\share\\d1\\d2"}, 1252},
        {"\\\\server\\share", {}, 1252},
        {"\\\\s\\x", {}, 1252},
        {"\\\\s\\x\\y", {"\\\\s\\x\\y"}, 1252},
        // No backslash after the server name, or nothing after it: no share.
        {"\\\\server", {"<refused>"}, 1252},
        {"\\\\server\\", {"<refused>"}, 1252},
        {"\\\\", {"<refused>"}, 1252},
        {"\\\\\\", {"<refused>"}, 1252},
        // In 932 the second byte of a character may be 5C: C:\ソフト表 is one
        // level (ソ = 83 5C, 表 = 95 5C), which 1252 splits into two.
        {"C:\\\x83\x5c\x83\x74\x83\x67\x95\x5c", {"C:\\\x83\x5c\x83\x74\x83\x67\x95\x5c"}, 932},
        {"C:\\\x83\x5c\x83\x74", {"C:\\\x83", "C:\\\x83\x5c\x83\x74"}, 1252},
        {"C:\\\x83\x5c\\B", {"C:\\\x83\x5c", "C:\\\x83\x5c\\B"}, 932},
        {"C:\\A\x83", {"C:\\A\x83"}, 932},
        {"\\\\\x83\x5c\\s\x95\x5c\\d", {"\\\\\x83\x5c\\s\x95\x5c\\d"}, 932},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.levels, Levels(c.path, c.codePage))
            << "path: " << c.path << ", code page " << c.codePage;
}

TEST(FolderLevels, SeparatorSearchStaysInsideTheText)
{
    // Text behind the terminator must never be taken for a separator.
    const char text[] = "C:\0\\behind\\";
    EXPECT_EQ(NO_SEPARATOR, FindNextSeparator(text, 2, 1252));
    EXPECT_EQ(NO_SEPARATOR, FindNextSeparator(text, 40, 1252));
    EXPECT_EQ(NO_SEPARATOR, FindNextSeparator(text, NO_SEPARATOR, 1252));
    size_t start = 0xdeadbeef;
    const char network[] = "\\\\s\\\0\\share\\";
    EXPECT_EQ(0, FindStartSeparator(network, &start, 1252));
    EXPECT_EQ(NO_SEPARATOR, start);
}

TEST(FolderLevels, LevelCopyIsBounded)
{
    Guarded<8> g;
    EXPECT_EQ(1, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:\\A\\B", 4, 1252));
    EXPECT_STREQ("C:\\A", g.buffer);
    EXPECT_EQ(1, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:\\A\\B", NO_SEPARATOR, 1252));
    EXPECT_STREQ("C:\\A\\B", g.buffer);
    // The whole path must fit, even when only a short level is wanted.
    EXPECT_EQ(0, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:\\A\\B\\C", 4, 1252));
    EXPECT_STREQ("C:\\A\\B", g.buffer) << "a refused copy leaves the old text";
    // An index that is not a separator of the text cuts nothing.
    EXPECT_EQ(1, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:\\AB", 3, 1252));
    EXPECT_STREQ("C:\\AB", g.buffer);
    EXPECT_EQ(1, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:", 30, 1252));
    EXPECT_STREQ("C:", g.buffer);
    for (char c : g.guard)
        EXPECT_EQ('G', c);
}

// What OK makes of a typed folder before it is created and stored (one
// trailing backslash already gone): Windows opens "x. " as "x", and a folder
// that depends on the current one is refused.
TEST(FolderLevels, TypedFolderMadeCanonical)
{
    struct Case {
        const char *typed;
        const char *canonical;  // NULL: refused, text unchanged
        unsigned codePage;
    } cases[] = {
        {"C:\\Program Files\\Velkor Chronex ", "C:\\Program Files\\Velkor Chronex", 1252},
        {"C:\\Apps\\Chronex.", "C:\\Apps\\Chronex", 1252},
        {"C:\\Apps\\Chronex. . ", "C:\\Apps\\Chronex", 1252},
        {"C:\\Apps. \\v1.2", "C:\\Apps. \\v1.2", 1252},
        {"\\\\server\\share\\dir ", "\\\\server\\share\\dir", 1252},
        {"c:", "c:", 1252},
        {"C:\\", "C:\\", 1252},
        {"C:\\Apps\\..", NULL, 1252},
        {"C:\\Apps\\. ", NULL, 1252},
        {"foo", NULL, 1252},
        {"C:foo", NULL, 1252},
        {"\\foo", NULL, 1252},
        {".\\foo", NULL, 1252},
        {"1:\\foo", NULL, 1252},
        {"C:\\\x83\x5c ", "C:\\\x83\x5c", 932},
        {"C:\\\x95\x5c.", "C:\\\x95\x5c", 932},
        {"C:\\A\x83", NULL, 932},
    };
    for (const Case &c : cases) {
        char folder[64];
        strcpy(folder, c.typed);
        int made = MakeFolderCanonical(folder, c.codePage);
        EXPECT_EQ(c.canonical != NULL, made) << "typed: \"" << c.typed << "\"";
        EXPECT_STREQ(c.canonical ? c.canonical : c.typed, folder) << "typed: \"" << c.typed << "\"";
    }
}

}  // namespace
