// The cleanup script's name (the first free number) and its exact bytes,
// refused rather than cut when the buffer is too small. Pure routines, so the
// file also builds natively.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "cleanup_script_text.h"
#include "guarded.h"

namespace {

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

// The interpreter expands %PATH% inside the quotes of a batch file; the
// characters it reads literally there stay as they are.
TEST(CleanupScriptText, PercentIsDoubledInThePaths)
{
    char content[CLEANUP_SCRIPT_CAPACITY];
    ASSERT_EQ(1, ComposeCleanupScript(content, sizeof(content), "C:\\t%PATH%x&^!()\\",
                                      "C:\\t%PATH%x&^!()\\delme1.bat"));
    EXPECT_STREQ("\r\n"
                 "@echo off\r\n"
                 ":myLabel\r\n"
                 "del \"C:\\t%%PATH%%x&^!()\\uninstall.exe\"\r\n"
                 "if exist \"C:\\t%%PATH%%x&^!()\\uninstall.exe\" goto myLabel\r\n"
                 "del \"C:\\t%%PATH%%x&^!()\\delme1.bat\"\r\n",
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

}  // namespace
