// What the parts of the driver share: the report lines and their clock, the
// watch settings of a run, the picture folder, the command line's options,
// and the routines that find, answer and photograph the programs' windows.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

namespace driver {

const int kMessageTextId = 0xFFFF;
const char kDialogClass[] = "#32770";
const DWORD kDefaultTimeoutMs = 60000;

// ---- report lines
void Say(const char *key, const std::string &value);
std::string Hex(DWORD value, int digits);
std::string Millis(double ms);
// One line: control characters of a box text shown as \r \n.
std::string OneLine(const std::string &text);
std::string ExitText(DWORD code);

class Clock {
public:
    Clock();
    void Restart();
    double Ms() const;

private:
    LARGE_INTEGER frequency_, start_;
};

// How one run watches the program under it.
struct RunWatch {
    // With --trace, the moments at which windows were met, from the start
    // of the program under watch: where its time goes.
    bool trace = false;
    Clock clock;
    // How often the programs' windows and traces are looked for. Every look
    // asks the wineserver, which the watched program needs for each file it
    // touches, so looking too often slows it down.
    DWORD pollMs = 5;
    double firstAnswerMs = -1;  // when the first box was answered
};
extern RunWatch g_run;

void Trace(const std::string &what);

// ---- pictures
struct ShotFolder {
    std::string folder;  // empty: no pictures
    std::string label;   // the scene, put before the kind of window
    int count = 0;
};
extern ShotFolder g_shots;

// What is on screen inside the rectangle, written as a 24-bit BMP.
bool SaveScreen(const RECT &rect, const std::string &path);
// Pictures are numbered on from those already in the folder.
int CountShots();
// A window as a person sees it; waits briefly so that it is painted.
void Shot(HWND window, const std::string &name);

// ---- windows
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
DWORD ProcessOf(HWND window);
std::vector<HWND> VisibleWindows(DWORD processId);  // 0: any process
bool IsMessageBox(HWND window);
bool IsOptionsDialog(HWND window);
bool IsHotkeyDialog(HWND window);
HWND FindChildOfClass(HWND parent, const char *className);
bool WaitGone(HWND window, DWORD timeoutMs);
HWND WaitForProcessWindow(DWORD pid, bool (*match)(HWND), DWORD timeoutMs);
void Press(HWND dialog, int id);
bool Checked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool on);
std::string HotkeyText(DWORD hotkey);

// ---- processes
bool StartProcess(const std::string &program, const std::string &arguments,
                  const std::string &folder, PROCESS_INFORMATION *info);
// A command line as the software list runs it: a quoted path with
// arguments, or a bare path, spaces and all.
bool StartCommand(const std::string &command, PROCESS_INFORMATION *info);
std::string FolderOf(const std::string &path);
int RunningCount(const std::vector<std::string> &names);

// ---- command line
struct Options {
    std::vector<std::string> words;  // arguments that are not options
    std::string folder, open;
    std::vector<std::string> paths, processes;
    bool noStart = false, noShortcut = false, hotkey = false, cancel = false, fast = false;
    bool pressHotkey = false, close = false;
    bool manual = false;  // a person answers; only wait and report
    DWORD timeoutMs = kDefaultTimeoutMs;
};

bool ParseOptions(int argc, char **argv, int first, Options *options);

// ---- answering
void AnswerBox(HWND box, int answer, bool fast);
void AnswerOptions(HWND dialog, DWORD pid, const Options &options);

// Answers every window that one process (or, with pid 0, any process whose
// box carries the product's caption) shows.
class Answerer {
public:
    Answerer(DWORD pid, const Options &options);
    void Step();

private:
    DWORD pid_;
    const Options &options_;
    std::set<HWND> handled_;
};

// ---- commands
int Install(const Options &options);
int App(const Options &options);
int Uninstall(const Options &options);
int State(const Options &options);
int Time(const Options &options);
int Screen(const Options &options);
int InstalledFiles(const Options &options);

}  // namespace driver
