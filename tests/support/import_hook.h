// Replacing an imported function in the test program's own import table, so
// that a test sees every call the code under test makes (arguments and
// order), including calls that leave no other trace, such as a flush of
// the shell's notifications.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The main module's import slot of dll!function, found by the function's
// real address; NULL when the module does not import it.
void **FindImportSlot(const char *dll, const char *function);

// Writes value into an import slot and returns what it held.
void *SwapImportSlot(void **slot, void *value);

// Swaps the import of dll!function in the main module for replacement;
// returns the previous address, or NULL when the module does not import it.
void *PatchImport(const char *dll, const char *function, void *replacement);

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
    void **slot_;
    void *original_;
};
