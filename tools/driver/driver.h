// What the parts of the driver share: the command line's options, the
// report lines and their clock, the pictures, and the answering of the
// programs' windows. Every window, box, registry, file and process helper
// is the harness's; the driver adds only what it reports and how it
// answers.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace driver {

// ---- command line (options.cpp)
struct Options {
    std::vector<std::string> words;  // arguments that are not options
    std::string folder, open, shots, label;
    std::vector<std::string> paths, processes;
    bool noStart = false, noShortcut = false, hotkey = false, cancel = false, fast = false;
    bool pressHotkey = false, close = false, trace = false;
    bool manual = false;  // a person answers; only wait and report
    DWORD timeoutMs = 60000;
    // How often the programs' windows and traces are looked for. Every look
    // asks the wineserver, which the watched program needs for each file it
    // touches, so looking too often slows it down.
    DWORD pollMs = 5;
};

// False on an unknown option or one without its value.
bool ParseOptions(int argc, char **argv, int first, Options *options);

// ---- report lines (report.cpp)
void Say(const char *key, const std::string &value);
std::string Hex(DWORD value, int digits);
std::string Millis(double ms);
// A hotkey in the application's words; "none" when it has no key.
std::string HotkeyName(DWORD hotkey);

class Clock {
public:
    Clock() { Restart(); }
    void Restart();
    double Ms() const;

private:
    LARGE_INTEGER frequency_, start_;
};

// The run under watch: its clock, and when its first box was answered.
struct RunWatch {
    bool trace = false;  // --trace: "at-ms" lines for the moments windows were met
    Clock clock;
    double firstAnswerMs = -1;
};
extern RunWatch g_run;
void Trace(const std::string &what);

// Takes --trace, --shots and --label. Pictures: with --shots, every window
// answered is saved as a BMP, numbered on from those already in the folder,
// so that several runs of the driver keep the order of events.
void StartReport(const Options &options);
void Shot(HWND window, const std::string &name);

// ---- answering (answering.cpp)
// Answers every window that one process (or, with pid 0, any process whose
// box carries the product's caption) shows: boxes with their first button
// (or Cancel), the options dialog as the options say, any other dialog
// with OK.
class Answerer {
public:
    explicit Answerer(const Options &options) : options_(options) {}
    void Step(DWORD pid);

private:
    const Options &options_;
    std::set<HWND> handled_;
};

// ---- running (runs.cpp)
struct RunEnd {
    DWORD exitCode = STILL_ACTIVE;
    double processMs = 0;  // until the started process ended
    double elapsedMs = 0;  // until nothing was left either
};
// Starts a command line in folder and polls: step(process id) at each look; the run
// is over once the process has ended and left() is false. Reports a start
// failure or the timeout (the process is ended then) as a problem; false
// then.
bool Watch(const std::string &commandLine, const std::string &folder, const Options &options,
           const std::function<void(DWORD)> &step, const std::function<bool()> &left, RunEnd *end);

// ---- commands
int Install(const Options &options);
int Uninstall(const Options &options);
int Time(const Options &options);
int App(const Options &options);
int State(const Options &options);
int InstalledFiles(const Options &options);

}  // namespace driver
