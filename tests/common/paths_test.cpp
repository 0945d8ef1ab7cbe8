// Bounded path composition: the backslash rule and refusal instead of
// overflow, checked with guard bytes behind the buffers.
#include <gtest/gtest.h>

#include <string.h>

#include "guarded.h"
#include "paths.h"

namespace {

TEST(Paths, CopyFitsOrIsRefused)
{
    Guarded<16> g;
    EXPECT_EQ(1, CopyText(g.buffer, sizeof(g.buffer), "123456789012345"));  // 15 + terminator
    EXPECT_STREQ("123456789012345", g.buffer);
    EXPECT_EQ(0, CopyText(g.buffer, sizeof(g.buffer), "1234567890123456"));
    EXPECT_STREQ("123456789012345", g.buffer) << "a refused copy leaves the old text";
    EXPECT_TRUE(g.GuardIntact());
}

TEST(Paths, AppendFitsOrIsRefused)
{
    Guarded<16> g;
    CopyText(g.buffer, sizeof(g.buffer), "C:\\abc");
    EXPECT_EQ(1, AppendText(g.buffer, sizeof(g.buffer), "\\defghijk"));
    EXPECT_STREQ("C:\\abc\\defghijk", g.buffer);
    EXPECT_EQ(0, AppendText(g.buffer, sizeof(g.buffer), "x"));
    EXPECT_STREQ("C:\\abc\\defghijk", g.buffer);
    EXPECT_TRUE(g.GuardIntact());
}

// Appended in place, or composed from the folder into another buffer.
TEST(Paths, PathNameGetsOneBackslash)
{
    struct Case {
        const char *folder;
        const char *name;
        const char *expected;
    } cases[] = {
        {"C:\\Program Files", "Velkor", "C:\\Program Files\\Velkor"},
        {"D:\\Apps\\", "Velkor", "D:\\Apps\\Velkor"},
        {"", "x", "\\x"},
        {"C:", "x", "C:\\x"},
    };
    for (const Case &c : cases) {
        char buffer[64];
        CopyText(buffer, sizeof(buffer), c.folder);
        EXPECT_EQ(1, AppendPathName(buffer, sizeof(buffer), c.name)) << c.folder;
        EXPECT_STREQ(c.expected, buffer) << c.folder;
        Guarded<64> composed("old");
        EXPECT_EQ(1, ComposePath(composed.buffer, sizeof(composed.buffer), c.folder, c.name))
            << c.folder;
        EXPECT_STREQ(c.expected, composed.buffer) << c.folder;
        EXPECT_TRUE(composed.GuardIntact()) << c.folder;
    }
}

TEST(Paths, AppendPathNameRefusesWhatDoesNotFit)
{
    Guarded<16> g;
    CopyText(g.buffer, sizeof(g.buffer), "C:\\abcdefghij");  // 13 characters
    EXPECT_EQ(0, AppendPathName(g.buffer, sizeof(g.buffer), "ab"))
        << "backslash, two letters and the terminator need 4 more bytes";
    EXPECT_STREQ("C:\\abcdefghij", g.buffer);
    EXPECT_EQ(1, AppendPathName(g.buffer, sizeof(g.buffer), "a"));
    EXPECT_STREQ("C:\\abcdefghij\\a", g.buffer);
    EXPECT_TRUE(g.GuardIntact());
}

TEST(Paths, ComposePathRefusesWhatDoesNotFit)
{
    Guarded<16> g("old");
    EXPECT_EQ(0, ComposePath(g.buffer, sizeof(g.buffer), "C:\\abcdefghij", "ab"));
    EXPECT_STREQ("old", g.buffer) << "a refused path leaves the old text";
    EXPECT_EQ(1, ComposePath(g.buffer, sizeof(g.buffer), "C:\\abcdefghi\\", "ab"))
        << "a folder's own backslash costs nothing";
    EXPECT_STREQ("C:\\abcdefghi\\ab", g.buffer);
    EXPECT_TRUE(g.GuardIntact());
}

TEST(Paths, TrailingBackslash)
{
    char text[16] = "E:\\Tools\\\\";
    RemoveTrailingBackslash(text);
    EXPECT_STREQ("E:\\Tools\\", text) << "only one backslash is removed";
    char empty[4] = "";
    RemoveTrailingBackslash(empty);
    EXPECT_STREQ("", empty);
    EXPECT_EQ(0, EndsWithBackslash(""));
    EXPECT_EQ(1, EndsWithBackslash("\\"));
    char full[4] = "ab\\";
    EXPECT_EQ(1, AppendBackslash(full, sizeof(full))) << "already there: nothing to add";
    char tight[3] = "ab";
    EXPECT_EQ(0, AppendBackslash(tight, sizeof(tight)));
    EXPECT_STREQ("ab", tight);
}

TEST(Paths, NamesFolderOnlyWithMoreThanBackslashes)
{
    for (const char *none : {"", "\\", "\\\\", "\\\\\\"})
        EXPECT_EQ(0, NamesFolder(none)) << none;
    for (const char *some : {"C:", "a", "\\a", "\\\\server", "C:\\"})
        EXPECT_EQ(1, NamesFolder(some)) << some;
}

TEST(Paths, DotEntries)
{
    EXPECT_EQ(1, IsDotEntry("."));
    EXPECT_EQ(1, IsDotEntry(".."));
    EXPECT_EQ(0, IsDotEntry("..."));
    EXPECT_EQ(0, IsDotEntry(".hidden"));
    EXPECT_EQ(0, IsDotEntry(""));
}

TEST(Paths, FindTextIsCaseSensitive)
{
    EXPECT_NE(nullptr, FindText("\"C:\\x\\uninstall.exe\" /internally", "/internally"));
    EXPECT_NE(nullptr, FindText("x /internallyfoo", "/internally"));
    EXPECT_EQ(nullptr, FindText("x /Internally", "/internally"));
    EXPECT_EQ(nullptr, FindText("x /internall", "/internally"));
}

}  // namespace
