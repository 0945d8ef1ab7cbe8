// Registry helpers: read, write and delete values and keys, and
// make a key unwritable to provoke the "cannot open key" paths.
//
// Handles: every key is closed before the routine that opened it returns.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

bool KeyExists(HKEY root, const std::string &path);
bool ValueExists(HKEY root, const std::string &path, const char *name);
// Reads a value of any type as raw bytes; false when it does not exist.
bool ReadValue(HKEY root, const std::string &path, const char *name, std::string *data,
               DWORD *type);
// Reads a REG_SZ value without its terminator.
bool ReadString(HKEY root, const std::string &path, const char *name, std::string *text);
bool ReadDword(HKEY root, const std::string &path, const char *name, DWORD *number);
void WriteString(HKEY root, const std::string &path, const char *name, const std::string &text);
void WriteDword(HKEY root, const std::string &path, const char *name, DWORD number);
// Writes exact bytes, without adding a terminator.
void WriteRaw(HKEY root, const std::string &path, const char *name, DWORD type,
              const std::string &bytes);
void DeleteValue(HKEY root, const std::string &path, const char *name);
// Deletes a key with everything below it; a missing key is fine.
void DeleteTree(HKEY root, const std::string &path);
int SubkeyCount(HKEY root, const std::string &path);
// The number of values of a key; -1 when the key does not exist.
int ValueCount(HKEY root, const std::string &path);
// A REG_SZ value with its terminator, as RegQueryValueExA returns it; the
// type is checked too. "<missing>" when absent, "<type N>" for another type.
std::string RawString(HKEY root, const std::string &path, const char *name);

// What WalkKey meets: each value (key is the path of the key holding it
// below the root) and, before its own values, each subkey.
struct KeyVisitor {
    std::function<void(const std::string &key, const char *name, DWORD type,
                       const std::string &data)> value;
    std::function<void(const std::string &key)> subkey;  // may be empty
};
// Visits root\path's values, then each subkey in depth; false when the key
// cannot be opened.
bool WalkKey(HKEY root, const std::string &path, const KeyVisitor &visitor);

// The folder that setup offers when nothing is stored: the machine's
// Program Files folder (as this program's registry view has it) + the
// display name.
std::string DefaultInstallFolder();

// Makes an existing key readable but not writable (denies set-value and
// create-subkey to everyone), or fully inaccessible; RestoreKey undoes both.
void DenyKeyWrite(HKEY root, const std::string &path);
void DenyKeyAll(HKEY root, const std::string &path);
// Denies only the right to delete the key (and to open it with that right).
void DenyKeyDelete(HKEY root, const std::string &path);
void RestoreKey(HKEY root, const std::string &path);
