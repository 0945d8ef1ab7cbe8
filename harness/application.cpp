// The real application in other processes.
#include "application.h"

#include "product.h"

namespace {

BOOL CALLBACK FindForeignProductWindow(HWND window, LPARAM param)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof(name));
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (lstrcmpA(name, PRODUCT_WINDOW_CLASS) != 0 || pid == GetCurrentProcessId())
        return TRUE;
    AppWindow *found = (AppWindow *)param;
    found->window = window;
    found->processId = pid;
    return FALSE;
}

}  // namespace

AppWindow WaitForApplication(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    AppWindow found;
    for (;;) {
        EnumWindows(FindForeignProductWindow, (LPARAM)&found);
        if (found.window || GetTickCount() - start > timeoutMs)
            return found;
        Sleep(20);
    }
}

std::string ImagePath(DWORD processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process)
        return "";
    char path[MAX_PATH] = "";
    DWORD size = sizeof(path);
    QueryFullProcessImageNameA(process, 0, path, &size);
    CloseHandle(process);
    return path;
}

void CloseApplications()
{
    for (int i = 0; i < 10; ++i) {
        AppWindow app = WaitForApplication(0);
        if (!app.window)
            return;
        HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, app.processId);
        PostMessageA(app.window, WM_CLOSE, 0, 0);
        if (process) {
            if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0)
                TerminateProcess(process, 255);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
}
