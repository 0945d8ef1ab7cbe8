// Answering the programs' dialogs and message boxes as a person who accepts
// the defaults would (or cancels, or sets a folder, with the options), and
// reporting what each offered.
#include "driver.h"

#include <commctrl.h>

#include "msgbox.h"
#include "product.h"
#include "resource.h"

namespace driver {

// Answers one message box with its default (the first button, OK for
// every box these programs show) or with the given id; reports it unless
// running for time.
void AnswerBox(HWND box, int answer, bool fast)
{
    if (fast) {
        PostMessageA(box, WM_COMMAND, answer ? answer : IDOK, 0);
        if (g_run.firstAnswerMs < 0)
            g_run.firstAnswerMs = g_run.clock.Ms();
        return;
    }
    BoxRecord record;
    ReadMessageBox(box, &record);
    if (!answer)
        answer = record.buttons.empty() ? IDOK : record.buttons[0];
    std::string buttons;
    for (int id : record.buttons) {
        static const char *names[] = {"", "OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};
        buttons += (buttons.empty() ? "" : "/") +
                   std::string(id >= 1 && id <= 7 ? names[id] : std::to_string(id).c_str());
    }
    Shot(box, "box");
    Say("box", "[" + record.caption + "] \"" + OneLine(record.text) + "\" icon " +
                   IconKindName(record.icon) + ", buttons " + buttons + ", answered " +
                   (answer == IDOK ? "OK" : answer == IDCANCEL ? "Cancel" : std::to_string(answer)));
    PostMessageA(box, WM_COMMAND, answer, 0);
    if (g_run.firstAnswerMs < 0)
        g_run.firstAnswerMs = g_run.clock.Ms();
}

// Opens the hotkey dialog from the options dialog, shows what it offers and
// accepts it with OK, which stores that hotkey.
void AcceptHotkeyDialog(HWND options, DWORD pid)
{
    Press(options, IDC_SET_HOTKEY);
    HWND dialog = WaitForProcessWindow(pid, IsHotkeyDialog, 5000);
    if (!dialog) {
        Say("problem", "the hotkey dialog did not open");
        return;
    }
    HWND control = FindChildOfClass(dialog, HOTKEY_CLASSA);
    DWORD_PTR hotkey = 0;
    SendMessageTimeoutA(control, HKM_GETHOTKEY, 0, 0, SMTO_ABORTIFHUNG, 2000, &hotkey);
    Shot(dialog, "hotkey");
    Say("dialog", "\"" + TextOf(dialog) + "\" offers " + HotkeyText((DWORD)hotkey) +
                      ", answered OK");
    Press(dialog, IDOK);
    if (!WaitGone(dialog, 5000))
        Say("problem", "the hotkey dialog did not close");
}

void AnswerOptions(HWND dialog, DWORD pid, const Options &options)
{
    if (!options.fast) {
        Shot(dialog, "options");
        Say("dialog", "\"" + TextOf(dialog) + "\" offers folder \"" +
                          TextOf(GetDlgItem(dialog, IDC_INSTALL_PATH)) + "\", shortcut " +
                          (Checked(dialog, IDC_CREATE_SHORTCUT) ? "on" : "off") + ", start " +
                          (Checked(dialog, IDC_START_APP) ? "on" : "off"));
    }
    if (!options.folder.empty())
        SendMessageTimeoutA(GetDlgItem(dialog, IDC_INSTALL_PATH), WM_SETTEXT, 0,
                            (LPARAM)options.folder.c_str(), SMTO_ABORTIFHUNG, 2000, NULL);
    if (options.noShortcut)
        SetChecked(dialog, IDC_CREATE_SHORTCUT, false);
    if (options.noStart)
        SetChecked(dialog, IDC_START_APP, false);
    if (options.hotkey)
        AcceptHotkeyDialog(dialog, pid);
    if (options.cancel) {
        if (!options.fast)
            Say("answer", "Cancel");
        Press(dialog, IDCANCEL);
        return;
    }
    if (!options.fast)
        Say("answer", "OK with folder \"" + TextOf(GetDlgItem(dialog, IDC_INSTALL_PATH)) +
                          "\", shortcut " + (Checked(dialog, IDC_CREATE_SHORTCUT) ? "on" : "off") +
                          ", start " + (Checked(dialog, IDC_START_APP) ? "on" : "off"));
    Press(dialog, IDOK);
}

Answerer::Answerer(DWORD pid, const Options &options) : pid_(pid), options_(options) {}

void Answerer::Step()
{
    if (options_.manual)
        return;
    for (HWND window : VisibleWindows(pid_)) {
        if (handled_.count(window) || ProcessOf(window) == GetCurrentProcessId())
            continue;
        if (IsMessageBox(window)) {
            if (!pid_ && TextOf(window) != PRODUCT_DISPLAY_NAME)
                continue;
            Trace("message box of process " + std::to_string(ProcessOf(window)));
            int answer = options_.cancel ? IDCANCEL : 0;
            AnswerBox(window, answer, options_.fast);
            handled_.insert(window);
        } else if (pid_ && IsOptionsDialog(window)) {
            Trace("options dialog");
            AnswerOptions(window, pid_, options_);
            handled_.insert(window);
        } else if (pid_ && ClassOf(window) == kDialogClass) {
            if (!options_.fast) {
                Shot(window, "dialog");
                Say("dialog", "\"" + TextOf(window) + "\" (not expected), answered OK");
            }
            Press(window, IDOK);
            handled_.insert(window);
        }
    }
    // Handles come back once their window is gone.
    for (auto it = handled_.begin(); it != handled_.end();)
        it = IsWindow(*it) ? std::next(it) : handled_.erase(it);
}

}  // namespace driver
