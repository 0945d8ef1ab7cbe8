// The cleanup script's name and bytes.
#include "cleanup_script_text.h"

#include "paths.h"
#include "product.h"

#define SCRIPT_NAME_PREFIX    "delme"
#define SCRIPT_NAME_EXTENSION ".bat"

#define SCRIPT_LINE_END       "\r\n"
#define SCRIPT_QUOTE          "\""
#define SCRIPT_LABEL_NAME     "myLabel"
#define SCRIPT_ECHO_OFF       "@echo off" SCRIPT_LINE_END
#define SCRIPT_LABEL          ":" SCRIPT_LABEL_NAME SCRIPT_LINE_END
#define SCRIPT_DELETE         "del " SCRIPT_QUOTE
#define SCRIPT_IF_EXISTS      "if exist " SCRIPT_QUOTE
#define SCRIPT_COPY_END       UNINSTALL_EXE_NAME SCRIPT_QUOTE SCRIPT_LINE_END
#define SCRIPT_COPY_GOTO      UNINSTALL_EXE_NAME SCRIPT_QUOTE " goto " SCRIPT_LABEL_NAME SCRIPT_LINE_END
#define SCRIPT_PATH_END       SCRIPT_QUOTE SCRIPT_LINE_END

// Decimal text of a non-negative number; 0 when it is negative or the
// buffer is too small.
static int FormatDecimal(char *text, size_t cap, int number)
{
    if (number < 0)
        return 0;
    char reversed[16];
    size_t n = 0;
    do {
        reversed[n++] = (char)('0' + number % 10);
        number /= 10;
    } while (number > 0);
    if (n >= cap)
        return 0;
    for (size_t i = 0; i < n; ++i)
        text[i] = reversed[n - 1 - i];
    text[n] = '\0';
    return 1;
}

int ComposeCleanupScriptPath(char *path, size_t cap, const char *tempFolder, int number)
{
    char digits[16];
    char composed[CLEANUP_SCRIPT_CAPACITY];
    if (!FormatDecimal(digits, sizeof(digits), number) ||
        !CopyText(composed, sizeof(composed), tempFolder) ||
        !AppendText(composed, sizeof(composed), SCRIPT_NAME_PREFIX) ||
        !AppendText(composed, sizeof(composed), digits) ||
        !AppendText(composed, sizeof(composed), SCRIPT_NAME_EXTENSION))
        return 0;
    return CopyText(path, cap, composed);
}

// Appends a path as the command interpreter must read it in a batch file:
// it expands %...% even between quotes, and %% stands for one %. A % byte
// is never the second byte of a character (those are 0x40 and above in
// every code page), so the path is doubled byte by byte.
static int AppendScriptPath(char *dst, size_t cap, const char *path)
{
    for (; *path; ++path) {
        char one[2] = {*path, '\0'};
        if ((*path == '%' && !AppendText(dst, cap, one)) || !AppendText(dst, cap, one))
            return 0;
    }
    return 1;
}

int ComposeCleanupScript(char *content, size_t cap, const char *tempFolder,
                         const char *scriptPath)
{
    // Every second piece is a path.
    const char *pieces[] = {
        SCRIPT_LINE_END SCRIPT_ECHO_OFF SCRIPT_LABEL SCRIPT_DELETE, tempFolder,
        SCRIPT_COPY_END SCRIPT_IF_EXISTS, tempFolder,
        SCRIPT_COPY_GOTO SCRIPT_DELETE, scriptPath,
        SCRIPT_PATH_END, "",
    };
    char composed[CLEANUP_SCRIPT_CAPACITY];
    composed[0] = '\0';
    for (size_t i = 0; i < sizeof(pieces) / sizeof(pieces[0]); i += 2)
        if (!AppendText(composed, sizeof(composed), pieces[i]) ||
            !AppendScriptPath(composed, sizeof(composed), pieces[i + 1]))
            return 0;
    return CopyText(content, cap, composed);
}
