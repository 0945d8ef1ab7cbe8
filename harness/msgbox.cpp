// Message-box answering for tests.
#include "msgbox.h"

#include "dialog_driver.h"
#include "screen.h"

namespace {

const int kTextId = 0xFFFF;
const int kIconIds[] = {1088, 0x14};  // Wine's icon static, then Windows'
const int kButtonIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDCLOSE, IDHELP,
                          IDTRYAGAIN, IDCONTINUE};

const LPCSTR kSystemIcons[] = {IDI_ERROR, IDI_QUESTION, IDI_WARNING, IDI_INFORMATION};
const int kSystemIconKinds[] = {ICON_ERROR, ICON_QUESTION, ICON_WARNING, ICON_INFORMATION};

// A system icon drawn on a background colour.
std::vector<DWORD> RenderIcon(LPCSTR id, COLORREF background, int w, int h)
{
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all = {0, 0, w, h};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, LoadIconA(NULL, id), w, h, 0, NULL, DI_NORMAL);
    std::vector<DWORD> pixels = ReadPixels(memory, 0, 0, w, h);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return pixels;
}

// Another process's icon handle means nothing here, so its box is compared
// by what it shows on screen against the system icons drawn locally.
int ClassifyIconOnScreen(HWND iconStatic)
{
    RECT rect;
    GetWindowRect(iconStatic, &rect);
    int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0 || w > 64 || h > 64)
        return ICON_OTHER;
    for (int attempt = 0; attempt < 50; ++attempt) {
        HDC screen = GetDC(NULL);
        std::vector<DWORD> shown = ReadPixels(screen, rect.left, rect.top, w, h);
        ReleaseDC(NULL, screen);
        DWORD corner = shown[0] & 0xFFFFFF;
        COLORREF background = RGB((corner >> 16) & 0xFF, (corner >> 8) & 0xFF, corner & 0xFF);
        for (int i = 0; i < 4; ++i) {
            std::vector<DWORD> drawn = RenderIcon(kSystemIcons[i], background, w, h);
            size_t differing = 0;
            for (size_t p = 0; p < shown.size(); ++p)
                differing += (shown[p] & 0xFFFFFF) != (drawn[p] & 0xFFFFFF);
            if (differing * 20 < shown.size())
                return kSystemIconKinds[i];
        }
        Sleep(20);  // not painted yet
    }
    return ICON_OTHER;
}

int ClassifyIcon(HWND iconStatic, HICON icon)
{
    if (!icon)
        return ICON_NONE;
    for (int i = 0; i < 4; ++i)
        if (icon == LoadIconA(NULL, kSystemIcons[i]))
            return kSystemIconKinds[i];
    DWORD pid = 0;
    GetWindowThreadProcessId(iconStatic, &pid);
    if (pid == GetCurrentProcessId())
        return ICON_OTHER;
    return ClassifyIconOnScreen(iconStatic);
}

// The box may not be shown yet when the hook sees it: look at the style bit.
bool HasVisibleStyle(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

BoxAnswerer *g_answerer;

}  // namespace

const char *IconKindName(int kind)
{
    switch (kind) {
    case ICON_NONE: return "none";
    case ICON_ERROR: return "error";
    case ICON_QUESTION: return "question";
    case ICON_WARNING: return "warning";
    case ICON_INFORMATION: return "information";
    default: return "other";
    }
}

bool IsMessageBox(HWND window)
{
    // The program's own dialogs also have statics of id 0xFFFF; only a
    // message box has the icon static, shown or hidden.
    return ClassName(window) == "#32770" && GetDlgItem(window, kTextId) &&
           (GetDlgItem(window, kIconIds[0]) || GetDlgItem(window, kIconIds[1]));
}

const char *ButtonName(int id)
{
    static const char *const names[] = {"OK",    "Cancel", "Abort", "Retry",    "Ignore",  "Yes",
                                        "No",    "Close",  "Help",  "TryAgain", "Continue"};
    return id >= IDOK && id <= IDCONTINUE ? names[id - IDOK] : "?";
}

std::string EscapedText(const std::string &text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out;
}

bool ReadMessageBox(HWND box, BoxRecord *record)
{
    if (!IsMessageBox(box))
        return false;
    record->text = WindowText(GetDlgItem(box, kTextId));
    record->caption = WindowText(box);
    record->icon = ICON_NONE;
    for (int id : kIconIds) {
        HWND icon = GetDlgItem(box, id);
        if (icon && HasVisibleStyle(icon)) {
            DWORD_PTR handle = 0;
            SendMessageTimeoutA(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 2000, &handle);
            record->icon = ClassifyIcon(icon, (HICON)handle);
            break;
        }
    }
    record->buttons.clear();
    for (int id : kButtonIds) {
        HWND button = GetDlgItem(box, id);
        if (button && HasVisibleStyle(button))
            record->buttons.push_back(id);
    }
    return true;
}

BoxAnswerer::BoxAnswerer(std::vector<int> answers, int fallback)
    : answers_(std::move(answers)), fallback_(fallback)
{
    g_answerer = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, NULL, GetCurrentThreadId());
}

BoxAnswerer::~BoxAnswerer()
{
    UnhookWindowsHookEx(hook_);
    g_answerer = nullptr;
}

LRESULT CALLBACK BoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    BoxAnswerer *self = g_answerer;
    if (code == HCBT_ACTIVATE && self) {
        HWND window = (HWND)wParam;
        BoxRecord record;
        if (ReadMessageBox(window, &record)) {
            size_t index = self->boxes.size();
            record.answer = index < self->answers_.size() ? self->answers_[index] : self->fallback_;
            self->boxes.push_back(record);
            PostMessageA(window, WM_COMMAND, record.answer, 0);
        }
    }
    return CallNextHookEx(NULL, code, wParam, lParam);
}

BoxWatcher::BoxWatcher(DWORD processId, std::vector<int> answers, int fallback)
    : processId_(processId), answers_(std::move(answers)), fallback_(fallback), stop_(0)
{
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(NULL, 0, Run, this, 0, NULL);
}

BoxWatcher::~BoxWatcher()
{
    Stop();
    DeleteCriticalSection(&lock_);
}

void BoxWatcher::Stop()
{
    if (!thread_)
        return;
    InterlockedExchange(&stop_, 1);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    thread_ = NULL;
}

std::vector<BoxRecord> BoxWatcher::Boxes()
{
    EnterCriticalSection(&lock_);
    std::vector<BoxRecord> copy = boxes_;
    LeaveCriticalSection(&lock_);
    return copy;
}

bool BoxWatcher::WaitForBoxes(size_t count, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (Boxes().size() >= count)
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
}

DWORD WINAPI BoxWatcher::Run(void *param)
{
    BoxWatcher *self = (BoxWatcher *)param;
    std::vector<HWND> answered;
    while (!self->stop_) {
        for (HWND window : VisibleWindows(self->processId_)) {
            bool seen = false;
            for (HWND old : answered)
                seen = seen || old == window;
            BoxRecord record;
            if (seen || !ReadMessageBox(window, &record))
                continue;
            EnterCriticalSection(&self->lock_);
            size_t index = self->boxes_.size();
            record.answer =
                index < self->answers_.size() ? self->answers_[index] : self->fallback_;
            self->boxes_.push_back(record);
            LeaveCriticalSection(&self->lock_);
            answered.push_back(window);
            PostMessageA(window, WM_COMMAND, record.answer, 0);
        }
        // Window handles are reused once a box is gone.
        std::vector<HWND> alive;
        for (HWND old : answered)
            if (IsWindow(old))
                alive.push_back(old);
        answered.swap(alive);
        Sleep(15);
    }
    return 0;
}
