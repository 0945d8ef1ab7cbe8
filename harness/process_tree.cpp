// A small debugger loop that records every process of a tree and can end
// one of them at a call: the call's import slot is pointed at breakpoints
// of our own, counted here and passed on to the real function until the
// chosen one.
#include "process_tree.h"

#include "import_hook.h"

namespace {
const SIZE_T kStubSize = 16;

bool SameProgram(const std::string &image, const std::string &wanted)
{
    std::string name = image;
    if (wanted.find('\\') == std::string::npos)
        name = image.substr(image.find_last_of("\\/") + 1);
    return lstrcmpiA(name.c_str(), wanted.c_str()) == 0;
}
}  // namespace

void ProcessTree::StopAt(const StopPoint &stop)
{
    stop_ = stop;
    armed_ = true;
}

HANDLE ProcessTree::ProcessHandle(DWORD id) const
{
    for (const Handle &handle : handles_)
        if (handle.id == id)
            return handle.process;
    return NULL;
}

void ProcessTree::OnStart(DWORD id, const std::string &image, BYTE *base)
{
    if (!armed_ || stopId_ || !SameProgram(image, stop_.image))
        return;
    stopId_ = id;
    stopBase_ = base;
    if (stop_.call == 0) {
        stopped = TerminateProcess(ProcessHandle(id), 255) != FALSE;
        armed_ = false;
    }
}

void ProcessTree::OnBreakpoint(const DEBUG_EVENT &event)
{
    if (!armed_ || event.dwProcessId != stopId_)
        return;
    HANDLE process = ProcessHandle(stopId_);
    BYTE *at = (BYTE *)event.u.Exception.ExceptionRecord.ExceptionAddress;
    if (!stub_) {
        // The loader's breakpoint: the import table is bound by now.
        void **slot = FindImportSlotIn(process, stopBase_, stop_.dll, stop_.function);
        if (!slot)
            return;
        BYTE breakpoints[kStubSize];
        FillMemory(breakpoints, sizeof(breakpoints), 0xCC);
        stub_ = (BYTE *)VirtualAllocEx(process, NULL, kStubSize, MEM_COMMIT | MEM_RESERVE,
                                       PAGE_EXECUTE_READWRITE);
        DWORD old = 0;
        if (!stub_ || !WriteProcessMemory(process, stub_, breakpoints, kStubSize, NULL) ||
            !ReadProcessMemory(process, slot, &original_, sizeof(original_), NULL) ||
            !VirtualProtectEx(process, slot, sizeof(void *), PAGE_READWRITE, &old) ||
            !WriteProcessMemory(process, slot, &stub_, sizeof(stub_), NULL))
            armed_ = false;
        VirtualProtectEx(process, slot, sizeof(void *), old, &old);
        FlushInstructionCache(process, stub_, kStubSize);
        return;
    }
    if (at < stub_ || at >= stub_ + kStubSize)
        return;
    if (++calls_ == stop_.call) {
        stopped = TerminateProcess(process, 255) != FALSE;
        armed_ = false;
        return;
    }
    // Not yet: the call goes on to the real function.
    HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, event.dwThreadId);
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    if (thread && GetThreadContext(thread, &context)) {
#ifdef _WIN64
        context.Rip = (DWORD64)original_;
#else
        context.Eip = (DWORD)original_;
#endif
        SetThreadContext(thread, &context);
    }
    if (thread)
        CloseHandle(thread);
}

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
            OnStart(event.dwProcessId, member.image,
                    (BYTE *)event.u.CreateProcessInfo.lpBaseOfImage);
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
            // Breakpoints are the loader's or the stop point's; everything
            // else goes back to the program as if no debugger were there.
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            else
                OnBreakpoint(event);
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
