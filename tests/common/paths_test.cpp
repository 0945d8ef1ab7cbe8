// Bounded path composition: the backslash rule and refusal instead of
// overflow, checked with guard bytes behind the buffers.
#include <gtest/gtest.h>

#include <string.h>

#ifdef _WIN32
#include <windows.h>
#endif

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

// The routines that look at a path's last character, in a code page whose
// characters are single bytes and in the East Asian ones, where the second
// byte of a character may be that of a backslash (in 932: 83 5C is one
// character, 95 5C another; 83 alone before the end is a character too).
TEST(Paths, LastCharacterIsACharacterNotAByte)
{
    struct Case {
        unsigned codePage;
        const char *folder;
        int endsWithBackslash;
        const char *withoutBackslash;  // after RemoveTrailingBackslash
        size_t nameStart;              // FindNameStart
        const char *composed;          // ComposePath(folder, "x"); NULL: refused
    } cases[] = {
        {1252, "C:\\Program Files", 0, "C:\\Program Files", 3, "C:\\Program Files\\x"},
        {1252, "D:\\Apps\\", 1, "D:\\Apps", 8, "D:\\Apps\\x"},
        {1252, "", 0, "", 0, "\\x"},
        {1252, "C:", 0, "C:", 0, "C:\\x"},
        {1252, "\\", 1, "", 1, "\\x"},
        {1252, "C:\\\x83\x5c", 1, "C:\\\x83", 5, "C:\\\x83\\x"},
        {932, "C:\\\x83\x5c", 0, "C:\\\x83\x5c", 3, "C:\\\x83\x5c\\x"},
        {932, "C:\\\x83\x5c\\", 1, "C:\\\x83\x5c", 6, "C:\\\x83\x5c\\x"},
        {932, "C:\\\x83\x5c\x83\x74\x95\x5c", 0, "C:\\\x83\x5c\x83\x74\x95\x5c", 3,
         "C:\\\x83\x5c\x83\x74\x95\x5c\\x"},
        {932, "C:\\\x83\x5c\x95\x5c\\ab", 0, "C:\\\x83\x5c\x95\x5c\\ab", 8,
         "C:\\\x83\x5c\x95\x5c\\ab\\x"},
        // A character cut in two: a backslash behind it would complete it.
        {932, "C:\\ab\x83", 0, "C:\\ab\x83", 3, NULL},
        {932, "C:\\\xb1\\", 1, "C:\\\xb1", 5, "C:\\\xb1\\x"},  // half-width kana: one byte
        {936, "C:\\\xd5\x5c", 0, "C:\\\xd5\x5c", 3, "C:\\\xd5\x5c\\x"},
        {950, "C:\\\xa5\x5c", 0, "C:\\\xa5\x5c", 3, "C:\\\xa5\x5c\\x"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.codePage << " \"" << c.folder << "\"");
        EXPECT_EQ(c.endsWithBackslash, EndsWithBackslash(c.folder, c.codePage));
        char removed[64];
        CopyText(removed, sizeof(removed), c.folder);
        RemoveTrailingBackslash(removed, c.codePage);
        EXPECT_STREQ(c.withoutBackslash, removed);
        EXPECT_EQ(c.nameStart, FindNameStart(c.folder, c.codePage));
        int fits = c.composed != NULL;
        const char *composedText = fits ? c.composed : c.folder;
        char buffer[64];
        CopyText(buffer, sizeof(buffer), c.folder);
        EXPECT_EQ(fits, AppendPathName(buffer, sizeof(buffer), "x", c.codePage));
        EXPECT_STREQ(composedText, buffer);
        Guarded<64> composed("old");
        EXPECT_EQ(fits, ComposePath(composed.buffer, sizeof(composed.buffer), c.folder, "x",
                                    c.codePage));
        EXPECT_STREQ(fits ? c.composed : "old", composed.buffer);
        EXPECT_TRUE(composed.GuardIntact());
        char slashed[64];
        CopyText(slashed, sizeof(slashed), c.folder);
        EXPECT_EQ(fits, AppendBackslash(slashed, sizeof(slashed), c.codePage));
        EXPECT_EQ(fits, EndsWithBackslash(slashed, c.codePage));
    }
}

#ifdef _WIN32
// The lead bytes the pure routines know are those Windows knows.
TEST(Paths, LeadBytesAreThoseOfTheSystem)
{
    for (unsigned codePage : {932u, 936u, 949u, 950u, 1252u, 437u}) {
        for (int byte = 0; byte < 256; ++byte)
            EXPECT_EQ(IsDBCSLeadByteEx(codePage, (BYTE)byte) != 0,
                      IsLeadByte(codePage, (unsigned char)byte) != 0)
                << "code page " << codePage << ", byte " << byte;
    }
}
#endif

TEST(Paths, AppendPathNameRefusesWhatDoesNotFit)
{
    Guarded<16> g;
    CopyText(g.buffer, sizeof(g.buffer), "C:\\abcdefghij");  // 13 characters
    EXPECT_EQ(0, AppendPathName(g.buffer, sizeof(g.buffer), "ab", 1252))
        << "backslash, two letters and the terminator need 4 more bytes";
    EXPECT_STREQ("C:\\abcdefghij", g.buffer);
    EXPECT_EQ(1, AppendPathName(g.buffer, sizeof(g.buffer), "a", 1252));
    EXPECT_STREQ("C:\\abcdefghij\\a", g.buffer);
    EXPECT_TRUE(g.GuardIntact());
}

TEST(Paths, ComposePathRefusesWhatDoesNotFit)
{
    Guarded<16> g("old");
    EXPECT_EQ(0, ComposePath(g.buffer, sizeof(g.buffer), "C:\\abcdefghij", "ab", 1252));
    EXPECT_STREQ("old", g.buffer) << "a refused path leaves the old text";
    EXPECT_EQ(1, ComposePath(g.buffer, sizeof(g.buffer), "C:\\abcdefghi\\", "ab", 1252))
        << "a folder's own backslash costs nothing";
    EXPECT_STREQ("C:\\abcdefghi\\ab", g.buffer);
    EXPECT_TRUE(g.GuardIntact());
}

TEST(Paths, TrailingBackslash)
{
    char text[16] = "E:\\Tools\\\\";
    RemoveTrailingBackslash(text, 1252);
    EXPECT_STREQ("E:\\Tools\\", text) << "only one backslash is removed";
    char empty[4] = "";
    RemoveTrailingBackslash(empty, 1252);
    EXPECT_STREQ("", empty);
    EXPECT_EQ(0, EndsWithBackslash("", 1252));
    EXPECT_EQ(1, EndsWithBackslash("\\", 1252));
    char full[4] = "ab\\";
    EXPECT_EQ(1, AppendBackslash(full, sizeof(full), 1252)) << "already there: nothing to add";
    char tight[3] = "ab";
    EXPECT_EQ(0, AppendBackslash(tight, sizeof(tight), 1252));
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
    EXPECT_NE(nullptr, FindText("\"C:\\x\\uninstall.exe\" /internally", "/internally", 1252));
    EXPECT_NE(nullptr, FindText("x /internallyfoo", "/internally", 1252));
    EXPECT_EQ(nullptr, FindText("x /Internally", "/internally", 1252));
    EXPECT_EQ(nullptr, FindText("x /internall", "/internally", 1252));
}

}  // namespace
