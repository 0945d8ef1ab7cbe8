// Writing the run's log (see run_log.h). The file stays open for the
// process's life; other processes may append to it at the same time (the
// uninstaller's two phases do), each line going to its end in one write.
#include "run_log.h"

#include <windows.h>

#include "paths.h"

#define LOG_LINE_CAPACITY 1024

static HANDLE g_log;  // NULL: no log
static const char *g_program;

void OpenRunLog(const char *path, const char *program)
{
    if (!path[0])
        return;
    g_program = program;
    HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log != INVALID_HANDLE_VALUE)
        g_log = log;
}

static void WriteLine(const char *first, const char *second)
{
    if (!g_log)
        return;
    char line[LOG_LINE_CAPACITY];
    line[0] = '\0';
    AppendText(line, sizeof(line), g_program);
    AppendText(line, sizeof(line), ": ");
    AppendText(line, sizeof(line), first);
    AppendText(line, sizeof(line), second);
    // A box's paragraphs become one line.
    for (char *c = line; *c; ++c)
        if (*c == '\r' || *c == '\n')
            *c = ' ';
    AppendText(line, sizeof(line), "\r\n");
    DWORD written = 0;
    WriteFile(g_log, line, (DWORD)lstrlenA(line), &written, NULL);
}

void LogText(const char *text)
{
    WriteLine(text, "");
}

int LogStage(const char *stage, int ok)
{
    WriteLine(stage, ok ? ": done" : ": failed");
    return ok;
}
