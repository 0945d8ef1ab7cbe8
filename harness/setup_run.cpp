// Driving setup.exe through its options dialog.
#include "setup_run.h"

#include <commctrl.h>

#include <functional>

#include "dialog_driver.h"
#include "dialog_texts.h"
#include "files.h"
#include "product.h"
#include "stand_in_window.h"
#include "resource.h"

namespace {

const DWORD kDialogTimeoutMs = 20000;
const DWORD kRunTimeoutMs = 60000;

bool Refused(const std::vector<BoxRecord> &boxes, HWND dialog)
{
    return !boxes.empty() && boxes.back().text == MSG_CANNOT_CREATE_FOLDER &&
           IsWindow(dialog) && IsWindowVisible(dialog);
}

typedef std::function<void(const Program &, BoxWatcher &, HWND dialog, SetupRun *)> Answer;

// Starts setup, reads the offer of its options dialog, lets answer work the
// dialog, then waits for the end with every box answered with OK.
SetupRun DriveSetup(const std::string &setupPath, const Answer &answer)
{
    SetupRun run;
    Program program;
    if (!StartSetup(setupPath, &program))
        return run;
    BoxWatcher watcher(program.id);
    HWND dialog = WaitForOptionsDialog(program);
    if (dialog) {
        run.dialog = true;
        run.offered = ItemText(dialog, IDC_INSTALL_PATH);
        answer(program, watcher, dialog, &run);
    }
    run.exitCode = WaitPumping(program, kRunTimeoutMs);
    watcher.Stop();
    run.boxes = watcher.Boxes();
    EndProgram(&program);
    return run;
}

}  // namespace

std::string PlaceSetup(const std::string &dist)
{
    std::string setup = dist + "\\" SETUP_EXE_NAME;
    CopyFileA((TestProgramFolder() + SETUP_EXE_NAME).c_str(), setup.c_str(), TRUE);
    return setup;
}

bool StartSetup(const std::string &setupPath, Program *program)
{
    return StartProgram("\"" + setupPath + "\"", FolderOf(setupPath), program);
}

bool IsOptionsDialog(HWND window)
{
    return ClassName(window) == "#32770" && GetDlgItem(window, IDC_INSTALL_PATH) &&
           GetDlgItem(window, IDC_SET_HOTKEY);
}

HWND OpenHotkeyDialog(HWND options, DWORD processId, WORD *hotkey)
{
    PostClick(options, IDC_SET_HOTKEY);
    HWND dialog = WaitForWindow(processId, "#32770", HOTKEY_TITLE, 10000);
    HWND control = FindWindowExA(dialog, NULL, HOTKEY_CLASSA, NULL);
    DWORD_PTR shown = 0xFFFF;
    if (!control ||
        !SendMessageTimeoutA(control, HKM_GETHOTKEY, 0, 0, SMTO_ABORTIFHUNG, 5000, &shown))
        shown = 0xFFFF;
    *hotkey = (WORD)shown;
    return dialog;
}

HWND WaitForOptionsDialog(const Program &program)
{
    return WaitForWindow(program.id, "#32770", PRODUCT_DISPLAY_NAME, kDialogTimeoutMs);
}

void AnswerOptions(HWND dialog, const SetupAnswers &answers)
{
    if (answers.folder)
        SetItemText(dialog, IDC_INSTALL_PATH, answers.folder);
    SendMessageA(GetDlgItem(dialog, IDC_CREATE_SHORTCUT), BM_SETCHECK,
                 answers.shortcut ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageA(GetDlgItem(dialog, IDC_START_APP), BM_SETCHECK,
                 answers.start ? BST_CHECKED : BST_UNCHECKED, 0);
    PostClick(dialog, IDOK);
}

namespace {
DWORD WINAPI AnswerWhenShown(void *param)
{
    SetupAnswers *answers = (SetupAnswers *)param;
    HWND dialog = WaitForWindow(0, "#32770", PRODUCT_DISPLAY_NAME, kDialogTimeoutMs);
    if (dialog)
        AnswerOptions(dialog, *answers);
    delete answers;
    return 0;
}
}  // namespace

HANDLE AnswerOptionsWhenShown(const SetupAnswers &answers)
{
    return CreateThread(NULL, 0, AnswerWhenShown, new SetupAnswers(answers), 0, NULL);
}

SetupRun RunSetup(const std::string &setupPath, const SetupAnswers &answers)
{
    return DriveSetup(setupPath, [&answers](const Program &program, BoxWatcher &watcher,
                                            HWND dialog, SetupRun *run) {
        AnswerOptions(dialog, answers);
        // A refused folder leaves the dialog open once its box is answered.
        DWORD start = GetTickCount();
        while (WaitPumping(program, 100) == STILL_ACTIVE &&
               GetTickCount() - start < kRunTimeoutMs) {
            if (Refused(watcher.Boxes(), dialog)) {
                run->dialogStayedOpen = true;
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                break;
            }
        }
    });
}

SetupRun PeekSetup(const std::string &setupPath, WORD *hotkey)
{
    return DriveSetup(setupPath, [hotkey](const Program &program, BoxWatcher &, HWND dialog,
                                          SetupRun *) {
        if (hotkey) {
            HWND hotkeyDialog = OpenHotkeyDialog(dialog, program.id, hotkey);
            if (hotkeyDialog)
                PostMessageA(hotkeyDialog, WM_COMMAND, IDCANCEL, 0);
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

DWORD WaitPumping(const Program &program, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages();
        DWORD waited = GetTickCount() - start;
        if (waited >= timeoutMs)
            return WaitForExit(program, 0);
        DWORD r = MsgWaitForMultipleObjects(1, &program.process, FALSE, timeoutMs - waited,
                                            QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) {
            PumpMessages();
            return WaitForExit(program, 0);
        }
    }
}
