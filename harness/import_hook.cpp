// Import-table patching for tests.
#include "import_hook.h"

#include <shlobj.h>

void **FindImportSlot(const char *dll, const char *function)
{
    BYTE *base = (BYTE *)GetModuleHandleA(NULL);
    IMAGE_DOS_HEADER *dos = (IMAGE_DOS_HEADER *)base;
    IMAGE_NT_HEADERS *nt = (IMAGE_NT_HEADERS *)(base + dos->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return NULL;
    FARPROC target = GetProcAddress(GetModuleHandleA(dll), function);
    if (!target)
        return NULL;
    for (IMAGE_IMPORT_DESCRIPTOR *desc = (IMAGE_IMPORT_DESCRIPTOR *)(base + dir.VirtualAddress);
         desc->Name; ++desc) {
        if (lstrcmpiA((const char *)(base + desc->Name), dll) != 0)
            continue;
        IMAGE_THUNK_DATA *thunk = (IMAGE_THUNK_DATA *)(base + desc->FirstThunk);
        for (; thunk->u1.Function; ++thunk)
            if ((FARPROC)thunk->u1.Function == target)
                return (void **)&thunk->u1.Function;
    }
    return NULL;
}

namespace {
template <typename T> bool ReadRemote(HANDLE process, const BYTE *address, T *value)
{
    SIZE_T read = 0;
    return ReadProcessMemory(process, address, value, sizeof(T), &read) && read == sizeof(T);
}

bool RemoteNameIs(HANDLE process, const BYTE *address, const char *name, bool anyCase)
{
    char text[128] = "";
    SIZE_T read = 0;
    ReadProcessMemory(process, address, text, sizeof(text) - 1, &read);
    return (anyCase ? lstrcmpiA(text, name) : lstrcmpA(text, name)) == 0;
}
}  // namespace

void **FindImportSlotIn(HANDLE process, BYTE *base, const char *dll, const char *function)
{
    IMAGE_DOS_HEADER dos;
    IMAGE_NT_HEADERS nt;
    if (!ReadRemote(process, base, &dos) || !ReadRemote(process, base + dos.e_lfanew, &nt))
        return NULL;
    DWORD imports = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    IMAGE_IMPORT_DESCRIPTOR desc;
    for (BYTE *at = base + imports; imports && ReadRemote(process, at, &desc) && desc.Name;
         at += sizeof(desc)) {
        if (!desc.OriginalFirstThunk || !RemoteNameIs(process, base + desc.Name, dll, true))
            continue;
        IMAGE_THUNK_DATA thunk;
        for (DWORD i = 0; ReadRemote(process, base + desc.OriginalFirstThunk + i * sizeof(thunk),
                                     &thunk) && thunk.u1.AddressOfData;
             ++i) {
            // The name follows the two-byte hint.
            if (!IMAGE_SNAP_BY_ORDINAL(thunk.u1.Ordinal) &&
                RemoteNameIs(process, base + thunk.u1.AddressOfData + 2, function, false))
                return (void **)(base + desc.FirstThunk + i * sizeof(thunk));
        }
    }
    return NULL;
}

void *SwapImportSlot(void **slot, void *value)
{
    DWORD old = 0;
    VirtualProtect(slot, sizeof(void *), PAGE_READWRITE, &old);
    void *previous = *slot;
    *slot = value;
    VirtualProtect(slot, sizeof(void *), old, &old);
    return previous;
}

ImportSwap::ImportSwap(const char *dll, const char *function, void *replacement)
    : slot_(FindImportSlot(dll, function)), original_(NULL)
{
    if (slot_)
        original_ = SwapImportSlot(slot_, replacement);
}

ImportSwap::~ImportSwap()
{
    if (slot_)
        SwapImportSlot(slot_, original_);
}

namespace {
ShellNotifyLog *g_log;
typedef void(WINAPI *NotifyFunction)(LONG, UINT, LPCVOID, LPCVOID);
}

ShellNotifyLog::ShellNotifyLog()
    : swap_("shell32.dll", "SHChangeNotify", (void *)&ShellNotifyLog::Record)
{
    g_log = this;
}

ShellNotifyLog::~ShellNotifyLog() { g_log = nullptr; }

void WINAPI ShellNotifyLog::Record(LONG event, UINT flags, LPCVOID item1, LPCVOID item2)
{
    ShellNotifyLog *self = g_log;
    if (!self)
        return;
    ShellNotifyCall call = {event, flags, "", ""};
    if ((flags & SHCNF_TYPE) == SHCNF_PATHA) {
        call.path1 = item1 ? (const char *)item1 : "";
        call.path2 = item2 ? (const char *)item2 : "";
    }
    self->calls.push_back(call);
    if (self->swap_.Original())
        ((NotifyFunction)self->swap_.Original())(event, flags, item1, item2);
}

namespace {
ProgramStartLog *g_startLog;

std::string Narrow(const WCHAR *text)
{
    if (!text)
        return "";
    char buffer[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof(buffer), NULL, NULL);
    return buffer;
}
}  // namespace

ProgramStartLog::ProgramStartLog()
    : swap_("kernel32.dll", "CreateProcessW", (void *)&ProgramStartLog::Record)
{
    g_startLog = this;
}

ProgramStartLog::~ProgramStartLog() { g_startLog = nullptr; }

BOOL WINAPI ProgramStartLog::Record(LPCWSTR application, LPWSTR commandLine,
                                    LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL inherit,
                                    DWORD, LPVOID, LPCWSTR folder, LPSTARTUPINFOW startup,
                                    LPPROCESS_INFORMATION started)
{
    ProgramStartLog *self = g_startLog;
    WORD show = (startup->dwFlags & STARTF_USESHOWWINDOW) ? startup->wShowWindow : 0xFFFF;
    self->starts.push_back(
        {application == NULL, Narrow(commandLine), Narrow(folder), show, inherit != FALSE});
    ZeroMemory(started, sizeof(*started));
    if (self->fail) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}
