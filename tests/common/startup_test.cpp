// The shipped programs' lean entry point keeps WinMain's contract: module
// handle, no previous instance, the command line after the program name,
// the show command from the start-up information, and the result as the
// exit code.
#include <gtest/gtest.h>

#include "files.h"
#include "process.h"

namespace {

struct ProbeRun {
    DWORD exitCode = 0;
    std::string report;
};

ProbeRun RunProbe(const std::string &program, const std::string &commandLine, WORD show, bool useShow)
{
    std::string reportPath = program + ".txt";
    DeleteFileA(reportPath.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (useShow) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = show;
    }
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    ProbeRun run;
    if (!CreateProcessA(program.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                        &info)) {
        run.report = "cannot start";
        return run;
    }
    WaitForSingleObject(info.hProcess, 10000);
    GetExitCodeProcess(info.hProcess, &run.exitCode);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    run.report = ReadFileText(reportPath);
    return run;
}

std::string Expected(int show, const std::string &line)
{
    return "instance 1\r\nprevious 0\r\nshow " + std::to_string(show) + "\r\nline [" + line + "]";
}

class Entry : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = MakeScratchFolder("entry probe");
        quoted_ = folder_ + "\\probe.exe";
        bare_ = MakeScratchFolder("entry") + "\\probe.exe";
        std::string built = TestProgramFolder() + "startup_probe.exe";
        ASSERT_TRUE(CopyFileA(built.c_str(), quoted_.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(built.c_str(), bare_.c_str(), FALSE));
    }
    std::string folder_, quoted_, bare_;
};

TEST_F(Entry, CommandLineAfterTheProgramName)
{
    struct Case {
        std::string commandLine;
        std::string expected;
    } cases[] = {
        {"\"" + quoted_ + "\" one two", "one two"},
        {"\"" + quoted_ + "\"", ""},
        {"\"" + quoted_ + "\"   spaced  words  ", "spaced  words  "},
        {"\"" + quoted_ + "\"tail", "tail"},
        {"\"" + quoted_ + "\" \"a b\" /internally", "\"a b\" /internally"},
        {bare_ + " /x \"a b\"", "/x \"a b\""},
        {bare_ + "\t\tafter tabs", "after tabs"},
        {bare_, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.commandLine);
        const std::string &program = c.commandLine[0] == '"' ? quoted_ : bare_;
        ProbeRun run = RunProbe(program, c.commandLine, 0, false);
        EXPECT_EQ(42u, run.exitCode) << "WinMain's result is the exit code";
        EXPECT_EQ(Expected(SW_SHOWDEFAULT, c.expected), run.report);
    }
}

TEST_F(Entry, ShowCommandFromTheStartupInformation)
{
    ProbeRun run = RunProbe(quoted_, "\"" + quoted_ + "\"", SW_SHOWMINNOACTIVE, true);
    EXPECT_EQ(42u, run.exitCode);
    EXPECT_EQ(Expected(SW_SHOWMINNOACTIVE, ""), run.report);

    run = RunProbe(quoted_, "\"" + quoted_ + "\" x", SW_HIDE, true);
    EXPECT_EQ(Expected(SW_HIDE, "x"), run.report);

    run = RunProbe(quoted_, "\"" + quoted_ + "\" x", SW_SHOWMAXIMIZED, false);
    EXPECT_EQ(Expected(SW_SHOWDEFAULT, "x"), run.report) << "flag not set: the default";
}

}  // namespace
