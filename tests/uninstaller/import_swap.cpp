// Import-table slot swapping for the uninstaller's tests.
#include "import_swap.h"

static void WriteSlot(void **slot, void *value)
{
    DWORD old = 0;
    VirtualProtect(slot, sizeof(void *), PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof(void *), old, &old);
}

static void **FindSlot(const char *dll, const char *function)
{
    BYTE *base = (BYTE *)GetModuleHandleA(NULL);
    IMAGE_NT_HEADERS *nt = (IMAGE_NT_HEADERS *)(base + ((IMAGE_DOS_HEADER *)base)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    FARPROC target = GetProcAddress(GetModuleHandleA(dll), function);
    if (!dir.VirtualAddress || !target)
        return NULL;
    for (IMAGE_IMPORT_DESCRIPTOR *desc = (IMAGE_IMPORT_DESCRIPTOR *)(base + dir.VirtualAddress);
         desc->Name; ++desc) {
        if (lstrcmpiA((const char *)(base + desc->Name), dll) != 0)
            continue;
        for (IMAGE_THUNK_DATA *thunk = (IMAGE_THUNK_DATA *)(base + desc->FirstThunk);
             thunk->u1.Function; ++thunk)
            if ((FARPROC)thunk->u1.Function == target)
                return (void **)&thunk->u1.Function;
    }
    return NULL;
}

ImportSwap::ImportSwap(const char *dll, const char *function, void *replacement)
    : slot_(FindSlot(dll, function)), original_(NULL)
{
    if (!slot_)
        return;
    original_ = *slot_;
    WriteSlot(slot_, replacement);
}

ImportSwap::~ImportSwap()
{
    if (slot_)
        WriteSlot(slot_, original_);
}
