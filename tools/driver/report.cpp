// The report lines: one "key: value" line per fact, flushed at once so that
// the scripts reading them see each as it happens, and the formats of the
// numbers and texts in them.
#include "driver.h"

#include <stdio.h>

namespace driver {

RunWatch g_run;

void Say(const char *key, const std::string &value)
{
    printf("%s: %s\n", key, value.c_str());
    fflush(stdout);
}

std::string Hex(DWORD value, int digits)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%0*lX", digits, (unsigned long)value);
    return text;
}

std::string Millis(double ms)
{
    char text[32];
    snprintf(text, sizeof(text), "%.1f", ms);
    return text;
}

// One line: control characters of a box text shown as \r \n.
std::string OneLine(const std::string &text)
{
    std::string out;
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

Clock::Clock()
{
    Restart();
}

void Clock::Restart()
{
    QueryPerformanceFrequency(&frequency_);
    QueryPerformanceCounter(&start_);
}

double Clock::Ms() const
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)(now.QuadPart - start_.QuadPart) * 1000.0 / (double)frequency_.QuadPart;
}

void Trace(const std::string &what)
{
    if (g_run.trace)
        Say("at-ms", Millis(g_run.clock.Ms()) + " " + what);
}

std::string ExitText(DWORD code)
{
    return std::to_string(code);
}

}  // namespace driver
