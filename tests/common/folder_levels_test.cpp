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
std::vector<std::string> Levels(const char *path)
{
    size_t separator = 0xdeadbeef;
    if (!FindStartSeparator(path, &separator))
        return {"<refused>"};
    std::vector<std::string> levels;
    while (separator != NO_SEPARATOR && levels.size() < 64) {
        char level[260];
        size_t next = FindNextSeparator(path, separator);
        if (!CopyFolderLevel(level, sizeof(level), path, next))
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
    } cases[] = {
        {"C:\\A\\B\\C", {"C:\\A", "C:\\A\\B", "C:\\A\\B\\C"}},
        {"C:\\Program Files\\Velkor Chronex",
         {"C:\\Program Files", "C:\\Program Files\\Velkor Chronex"}},
        {"C:\\A", {"C:\\A"}},
        // A second trailing backslash survives the dialog's OK: the last
        // level is the whole path, backslash included.
        {"C:\\A\\", {"C:\\A", "C:\\A\\"}},
        {"\\A\\B", {"\\A", "\\A\\B"}},
        {"relative\\dir", {"relative\\dir"}},
        // Nothing below the root: nothing is created, the path is accepted.
        {"C:", {}},
        {"bare", {}},
        {"", {}},
        // Server and share are never levels of their own.
        {"\\\\server\\share\\dir", {"\\\\server\\share\\dir"}},
        {"\\\\server\\share\\d1\\d2", {"\\\\server\\share\\d1", "\\\\server\\share\\d1\\d2"}},
        {"\\\\server\\share", {}},
        {"\\\\s\\x", {}},
        {"\\\\s\\x\\y", {"\\\\s\\x\\y"}},
        // No backslash after the server name, or nothing after it: no share.
        {"\\\\server", {"<refused>"}},
        {"\\\\server\\", {"<refused>"}},
        {"\\\\", {"<refused>"}},
        {"\\\\\\", {"<refused>"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.levels, Levels(c.path)) << "path: " << c.path;
}

TEST(FolderLevels, SeparatorSearchStaysInsideTheText)
{
    // Text behind the terminator must never be taken for a separator.
    const char text[] = "C:\0\\behind\\";
    EXPECT_EQ(NO_SEPARATOR, FindNextSeparator(text, 2));
    EXPECT_EQ(NO_SEPARATOR, FindNextSeparator(text, 40));
    EXPECT_EQ(NO_SEPARATOR, FindNextSeparator(text, NO_SEPARATOR));
    size_t start = 0xdeadbeef;
    const char network[] = "\\\\s\\\0\\share\\";
    EXPECT_EQ(0, FindStartSeparator(network, &start));
    EXPECT_EQ(NO_SEPARATOR, start);
}

TEST(FolderLevels, LevelCopyIsBounded)
{
    Guarded<8> g;
    EXPECT_EQ(1, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:\\A\\B", 4));
    EXPECT_STREQ("C:\\A", g.buffer);
    EXPECT_EQ(1, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:\\A\\B", NO_SEPARATOR));
    EXPECT_STREQ("C:\\A\\B", g.buffer);
    // The whole path must fit, even when only a short level is wanted.
    EXPECT_EQ(0, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:\\A\\B\\C", 4));
    EXPECT_STREQ("C:\\A\\B", g.buffer) << "a refused copy leaves the old text";
    // An index that is not a separator of the text cuts nothing.
    EXPECT_EQ(1, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:\\AB", 3));
    EXPECT_STREQ("C:\\AB", g.buffer);
    EXPECT_EQ(1, CopyFolderLevel(g.buffer, sizeof(g.buffer), "C:", 30));
    EXPECT_STREQ("C:", g.buffer);
    for (char c : g.guard)
        EXPECT_EQ('G', c);
}

}  // namespace
