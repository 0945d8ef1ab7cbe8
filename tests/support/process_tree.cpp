// A small debugger loop that records every process of a tree.
#include "process_tree.h"

bool ProcessTree::Start(const std::string &commandLine, const std::string &folder)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::string line = commandLine;
    if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, DEBUG_PROCESS, NULL,
                        folder.empty() ? NULL : folder.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    started_ = true;
    return true;
}

bool ProcessTree::WaitForAll(DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (started_) {
        DWORD waited = GetTickCount() - start;
        DEBUG_EVENT event;
        if (waited >= timeoutMs || !WaitForDebugEvent(&event, timeoutMs - waited))
            return false;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT: {
            TreeProcess member;
            member.id = event.dwProcessId;
            char path[MAX_PATH] = "";
            DWORD size = sizeof(path);
            if (QueryFullProcessImageNameA(event.u.CreateProcessInfo.hProcess, 0, path, &size))
                member.image = path;
            processes.push_back(member);
            HANDLE own = NULL;
            DuplicateHandle(GetCurrentProcess(), event.u.CreateProcessInfo.hProcess,
                            GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS);
            handles_.push_back({event.dwProcessId, own});
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            ++running_;
            break;
        }
        case EXIT_PROCESS_DEBUG_EVENT:
            for (TreeProcess &member : processes)
                if (member.id == event.dwProcessId && !member.ended) {
                    member.exitCode = event.u.ExitProcess.dwExitCode;
                    member.ended = true;
                }
            --running_;
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            break;
        case EXCEPTION_DEBUG_EVENT:
            // Only the loader's breakpoints are ours; everything else goes
            // back to the program as if no debugger were there.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (running_ == 0)
            started_ = false;
    }
    return true;
}

std::vector<TreeProcess> ProcessTree::Named(const std::string &name) const
{
    std::vector<TreeProcess> found;
    for (const TreeProcess &member : processes) {
        size_t slash = member.image.find_last_of("\\/");
        std::string file = slash == std::string::npos ? member.image : member.image.substr(slash + 1);
        if (lstrcmpiA(file.c_str(), name.c_str()) == 0)
            found.push_back(member);
    }
    return found;
}

ProcessTree::~ProcessTree()
{
    for (const Handle &handle : handles_) {
        bool ended = true;
        for (const TreeProcess &member : processes)
            if (member.id == handle.id)
                ended = member.ended;
        if (!ended && handle.process)
            TerminateProcess(handle.process, 255);
    }
    // Let the ended processes go before the debugger does.
    if (started_)
        WaitForAll(5000);
    for (const Handle &handle : handles_)
        if (handle.process)
            CloseHandle(handle.process);
}
