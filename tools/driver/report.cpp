// The report lines: one "key: value" line per fact, flushed at once so that
// the scripts reading them see each as it happens; the run's clock; the
// pictures of the windows met.
#include "driver.h"

#include <stdio.h>

#include "files.h"
#include "hotkey_text.h"
#include "screen.h"

namespace driver {

RunWatch g_run;

namespace {
std::string g_shots;  // the picture folder; empty: no pictures
std::string g_label;  // the scene, put before the kind of window
int g_shotCount;
}  // namespace

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

std::string HotkeyName(DWORD hotkey)
{
    if ((hotkey & 0xFF) == 0)
        return "none";
    char text[64];
    DescribeHotkey(hotkey, text, sizeof(text));
    return text;
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

void StartReport(const Options &options)
{
    g_run.trace = options.trace;
    g_shots = options.shots;
    g_label = options.label.empty() ? "" : options.label + "-";
    if (g_shots.empty())
        return;
    CreateDirectoryA(g_shots.c_str(), NULL);
    for (const std::string &name : ListFolder(g_shots))
        g_shotCount += name.size() > 4 && name.compare(name.size() - 4, 4, ".bmp") == 0;
}

void Shot(HWND window, const std::string &name)
{
    if (g_shots.empty())
        return;
    // Let it paint first.
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, NULL);
    Sleep(300);
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return;
    char file[64];
    snprintf(file, sizeof(file), "%02d-%s%s.bmp", ++g_shotCount, g_label.c_str(), name.c_str());
    std::string path = g_shots + "\\" + file;
    if (SaveScreenPicture(rect, path))
        Say("shot", path);
}

}  // namespace driver
