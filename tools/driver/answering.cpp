// Answering the programs' dialogs and message boxes as a person who accepts
// the defaults would (or cancels, or sets a folder, with the options), and
// reporting what each offered.
#include "driver.h"

#include "dialog_driver.h"
#include "msgbox.h"
#include "product.h"
#include "resource.h"
#include "setup_run.h"

namespace driver {
namespace {

void NoteAnswer()
{
    if (g_run.firstAnswerMs < 0)
        g_run.firstAnswerMs = g_run.clock.Ms();
}

// Answers one message box with its first button (OK for every box these
// programs show) or with Cancel; reports it unless running for time.
void AnswerBox(HWND box, bool cancel, bool fast)
{
    int answer = cancel ? IDCANCEL : IDOK;
    BoxRecord record;
    if (!fast && ReadMessageBox(box, &record)) {
        if (!cancel && !record.buttons.empty())
            answer = record.buttons[0];
        std::string buttons;
        for (int id : record.buttons)
            buttons += (buttons.empty() ? "" : "/") + std::string(ButtonName(id));
        Shot(box, "box");
        Say("box", "[" + record.caption + "] \"" + EscapedText(record.text) + "\" icon " +
                       IconKindName(record.icon) + ", buttons " + buttons + ", answered " +
                       ButtonName(answer));
    }
    PostMessageA(box, WM_COMMAND, answer, 0);
    NoteAnswer();
}

std::string OnOff(HWND dialog, int id)
{
    return CheckState(dialog, id) == BST_CHECKED ? "on" : "off";
}

// Opens the hotkey dialog from the options dialog, shows what it offers and
// accepts it with OK, which stores that hotkey.
void AcceptHotkeyDialog(HWND options, DWORD pid)
{
    WORD hotkey = 0;
    HWND dialog = OpenHotkeyDialog(options, pid, &hotkey);
    if (!dialog) {
        Say("problem", "the hotkey dialog did not open");
        return;
    }
    Shot(dialog, "hotkey");
    Say("dialog", "\"" + WindowText(dialog) + "\" offers " + HotkeyName(hotkey) +
                      ", answered OK");
    PostClick(dialog, IDOK);
    if (!WaitUntilGone(dialog, 5000))
        Say("problem", "the hotkey dialog did not close");
}

void AnswerOptionsDialog(HWND dialog, DWORD pid, const Options &options)
{
    std::string folder = ItemText(dialog, IDC_INSTALL_PATH);
    SetupAnswers answers;
    answers.folder = options.folder.empty() ? NULL : options.folder.c_str();
    answers.shortcut = !options.noShortcut && OnOff(dialog, IDC_CREATE_SHORTCUT) == "on";
    answers.start = !options.noStart && OnOff(dialog, IDC_START_APP) == "on";
    if (!options.fast) {
        Shot(dialog, "options");
        Say("dialog", "\"" + WindowText(dialog) + "\" offers folder \"" + folder + "\", shortcut " +
                          OnOff(dialog, IDC_CREATE_SHORTCUT) + ", start " +
                          OnOff(dialog, IDC_START_APP));
    }
    if (options.hotkey)
        AcceptHotkeyDialog(dialog, pid);
    if (options.cancel) {
        if (!options.fast)
            Say("answer", "Cancel");
        PostClick(dialog, IDCANCEL);
        return;
    }
    if (!options.fast)
        Say("answer", "OK with folder \"" + (answers.folder ? options.folder : folder) +
                          "\", shortcut " + (answers.shortcut ? "on" : "off") + ", start " +
                          (answers.start ? "on" : "off"));
    AnswerOptions(dialog, answers);
}

}  // namespace

void Answerer::Step(DWORD pid)
{
    if (options_.manual)
        return;
    for (HWND window : VisibleWindows(pid)) {
        if (handled_.count(window) || WindowProcess(window) == GetCurrentProcessId())
            continue;
        if (IsMessageBox(window)) {
            if (!pid && WindowText(window) != PRODUCT_DISPLAY_NAME)
                continue;
            Trace("message box of process " + std::to_string(WindowProcess(window)));
            AnswerBox(window, options_.cancel, options_.fast);
        } else if (pid && IsOptionsDialog(window)) {
            Trace("options dialog");
            AnswerOptionsDialog(window, pid, options_);
        } else if (pid && ClassName(window) == "#32770") {
            if (!options_.fast) {
                Shot(window, "dialog");
                Say("dialog", "\"" + WindowText(window) + "\" (not expected), answered OK");
            }
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        } else {
            continue;
        }
        handled_.insert(window);
    }
    // Handles come back once their window is gone.
    for (auto it = handled_.begin(); it != handled_.end();)
        it = IsWindow(*it) ? std::next(it) : handled_.erase(it);
}

}  // namespace driver
