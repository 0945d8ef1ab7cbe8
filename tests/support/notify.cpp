// Recording shell change notifications.
#include "notify.h"

#include <shlobj.h>

namespace {
const UINT kNotifyMessage = WM_APP + 17;
const char kClassName[] = "ChronexTestNotifyRecorder";
}

NotifyRecorder::NotifyRecorder()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, kClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
                              GetModuleHandleA(NULL), NULL);
    SetWindowLongPtrA(window_, GWLP_USERDATA, (LONG_PTR)this);
    SHChangeNotifyEntry entry = {NULL, TRUE};
    registration_ = SHChangeNotifyRegister(
        window_, SHCNRF_ShellLevel | SHCNRF_InterruptLevel | SHCNRF_NewDelivery, SHCNE_ALLEVENTS,
        kNotifyMessage, 1, &entry);
}

NotifyRecorder::~NotifyRecorder()
{
    if (registration_)
        SHChangeNotifyDeregister(registration_);
    DestroyWindow(window_);
}

std::vector<std::string> NotifyRecorder::PathsOf(LONG event) const
{
    std::vector<std::string> paths;
    for (const Notice &notice : notices)
        if (notice.event == event)
            paths.push_back(notice.path1);
    return paths;
}

LRESULT CALLBACK NotifyRecorder::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam)
{
    if (message != kNotifyMessage)
        return DefWindowProcA(window, message, wParam, lParam);
    NotifyRecorder *self = (NotifyRecorder *)GetWindowLongPtrA(window, GWLP_USERDATA);
    PIDLIST_ABSOLUTE *items = NULL;
    LONG event = 0;
    HANDLE lock = SHChangeNotification_Lock((HANDLE)wParam, (DWORD)lParam, &items, &event);
    if (lock && self) {
        Notice notice = {event, "", ""};
        char path[MAX_PATH];
        if (items && items[0] && SHGetPathFromIDListA(items[0], path))
            notice.path1 = path;
        if (items && items[1] && SHGetPathFromIDListA(items[1], path))
            notice.path2 = path;
        self->notices.push_back(notice);
    }
    if (lock)
        SHChangeNotification_Unlock(lock);
    return 0;
}
