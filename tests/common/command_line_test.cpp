// Reading the switches: whole arguments in any letter case, quotes, and /D=
// taking the rest of the line as it stands.
#include <gtest/gtest.h>

#include <string>

#include "command_line.h"

namespace {

TEST(CommandLine, Switches)
{
    struct Case {
        const char *line;
        int silent, noShortcut, unknown;
        const char *folder, *log;
    } cases[] = {
        {"", 0, 0, 0, "", ""},
        {"  /S  ", 1, 0, 0, "", ""},
        {"/s /noShortcut", 1, 1, 0, "", ""},
        {"/SILENT", 0, 0, 1, "", ""},
        {"/S/NOSHORTCUT", 0, 0, 1, "", ""},
        {"\"/S\"", 1, 0, 0, "", ""},
        {"\"\"", 0, 0, 1, "", ""},
        {"/S /D=C:\\Program Files\\Velkor Chronex", 1, 0, 0, "C:\\Program Files\\Velkor Chronex", ""},
        {"/d=\"C:\\a b\"", 0, 0, 0, "C:\\a b", ""},
        {"/D=C:\\x /S", 0, 0, 0, "C:\\x /S", ""},
        {"\"/D=C:\\a b\" /S", 0, 0, 0, "C:\\a b", ""},
        {"\"/LOG=C:\\logs dir\\s.log\" /S", 1, 0, 0, "", "C:\\logs dir\\s.log"},
        {"/log=s.log /internally", 0, 0, 1, "", "s.log"},
        {"/LOG=\"unterminated", 0, 0, 0, "", "\"unterminated"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        CommandLine switches;
        ReadCommandLine(c.line, &switches);
        EXPECT_EQ(c.silent, switches.silent);
        EXPECT_EQ(c.noShortcut, switches.noShortcut);
        EXPECT_EQ(c.unknown, switches.unknown);
        EXPECT_STREQ(c.folder, switches.folder);
        EXPECT_STREQ(c.log, switches.log);
    }
}

// A value that does not fit is an argument the programs cannot take.
TEST(CommandLine, ValuesThatDoNotFit)
{
    const std::string fits(SWITCH_VALUE_CAPACITY - 1, 'f');
    const std::string tooLong(SWITCH_VALUE_CAPACITY, 'g');
    CommandLine switches;
    ReadCommandLine(("/S /D=" + fits).c_str(), &switches);
    EXPECT_EQ(0, switches.unknown);
    EXPECT_EQ(fits, switches.folder);
    ReadCommandLine(("/LOG=" + tooLong + " /S").c_str(), &switches);
    EXPECT_EQ(1, switches.unknown);
    EXPECT_STREQ("", switches.log);
    ReadCommandLine(("/S /D=" + tooLong).c_str(), &switches);
    EXPECT_EQ(1, switches.unknown);
    EXPECT_STREQ("", switches.folder);
}

}  // namespace
