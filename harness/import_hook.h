// Replacing an imported function in the test program's own import table, so
// that a test sees every call the code under test makes (arguments and
// order), including calls that leave no other trace, such as a flush of
// the shell's notifications.
//
// Handles: an ImportSwap owns its slot's old value and puts it back when
// it is destroyed; the logs own their swaps. Nothing else is kept.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The main module's import slot of dll!function, found by the function's
// real address; NULL when the module does not import it.
void **FindImportSlot(const char *dll, const char *function);

// The import slot of dll!function, looked up by name, in the module that
// another process (a debugged one, say) has loaded at base; NULL when the
// module does not import it by name.
void **FindImportSlotIn(HANDLE process, BYTE *base, const char *dll, const char *function);

// Writes value into an import slot and returns what it held.
void *SwapImportSlot(void **slot, void *value);

// Swaps dll!function for a replacement while it lives and puts the original
// back afterwards (the slot is remembered, so the restore does not depend on
// what the slot holds then).
class ImportSwap {
public:
    ImportSwap(const char *dll, const char *function, void *replacement);
    ~ImportSwap();
    ImportSwap(const ImportSwap &) = delete;
    ImportSwap &operator=(const ImportSwap &) = delete;
    // The real function; NULL when the program does not import it.
    void *Original() const { return original_; }

private:
    void **slot_;
    void *original_;
};

struct ShellNotifyCall {
    LONG event;
    UINT flags;
    std::string path1;  // for SHCNF_PATHA items
    std::string path2;
};

// Records the SHChangeNotify calls made while it lives and passes each on
// to the real function.
class ShellNotifyLog {
public:
    ShellNotifyLog();
    ~ShellNotifyLog();
    std::vector<ShellNotifyCall> calls;

private:
    static void WINAPI Record(LONG event, UINT flags, LPCVOID item1, LPCVOID item2);
    ImportSwap swap_;
};

struct ProgramStart {
    bool applicationNull;
    std::string commandLine;  // as the program would get it
    std::string folder;
    WORD show;                // wShowWindow, with STARTF_USESHOWWINDOW
    bool inheritsHandles;
};

// Records the programs started through kernel32's CreateProcessW while it
// lives: none is started, and each start reports success (or failure, with
// fail set).
class ProgramStartLog {
public:
    ProgramStartLog();
    ~ProgramStartLog();
    bool Active() const { return swap_.Original() != NULL; }
    std::vector<ProgramStart> starts;
    bool fail = false;

private:
    static BOOL WINAPI Record(LPCWSTR application, LPWSTR commandLine, LPSECURITY_ATTRIBUTES,
                              LPSECURITY_ATTRIBUTES, BOOL inherit, DWORD, LPVOID, LPCWSTR folder,
                              LPSTARTUPINFOW startup, LPPROCESS_INFORMATION started);
    ImportSwap swap_;
};
