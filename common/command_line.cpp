// Reading the programs' switches (see command_line.h).
#include "command_line.h"

static int IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

static char UpperAscii(char c)
{
    return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c;
}

// Length of the switch name at the start of argument (of length n), compared
// without regard to ASCII letter case; 0 when argument does not start so.
static size_t StartsWithSwitch(const char *argument, size_t n, const char *name)
{
    size_t i = 0;
    for (; name[i]; ++i)
        if (i >= n || UpperAscii(argument[i]) != name[i])
            return 0;
    return i;
}

// Copies n characters of text, without the double quotes around them.
static int CopyValue(char *value, const char *text, size_t n)
{
    if (n >= 2 && text[0] == '"' && text[n - 1] == '"') {
        ++text;
        n -= 2;
    }
    if (n >= SWITCH_VALUE_CAPACITY)
        return 0;
    for (size_t i = 0; i < n; ++i)
        value[i] = text[i];
    value[n] = '\0';
    return 1;
}

static size_t TextLength(const char *text)
{
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

void ReadCommandLine(const char *line, CommandLine *switches)
{
    switches->silent = switches->noShortcut = switches->unknown = 0;
    switches->folder[0] = switches->log[0] = '\0';
    for (;;) {
        while (IsBlank(*line))
            ++line;
        if (!*line)
            return;
        // A quoted argument ends at its closing quote; a plain one at a blank.
        const char *argument = line;
        size_t n = 0;
        int quoted = *line == '"';
        if (quoted) {
            ++argument;
            while (argument[n] && argument[n] != '"')
                ++n;
            line = argument + n + (argument[n] == '"');
        } else {
            while (line[n] && !IsBlank(line[n]))
                ++n;
            line += n;
        }
        size_t name;
        if (n == 0) {
            switches->unknown = 1;
        } else if ((name = StartsWithSwitch(argument, n, SWITCH_FOLDER)) != 0) {
            // The rest of the line, unless the whole argument was quoted.
            size_t rest = quoted ? n : TextLength(argument);
            if (!CopyValue(switches->folder, argument + name, rest - name))
                switches->unknown = 1;
            return;
        } else if ((name = StartsWithSwitch(argument, n, SWITCH_LOG)) != 0) {
            if (!CopyValue(switches->log, argument + name, n - name))
                switches->unknown = 1;
        } else if (StartsWithSwitch(argument, n, SWITCH_SILENT) == n) {
            switches->silent = 1;
        } else if (StartsWithSwitch(argument, n, SWITCH_NO_SHORTCUT) == n) {
            switches->noShortcut = 1;
        } else {
            switches->unknown = 1;
        }
    }
}
