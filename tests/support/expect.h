// Checks that several tests make, each failure naming the caller's line
// as well as expected and actual.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "installation.h"
#include "msgbox.h"

// A message box of the product: its text (nullptr: checked by the caller),
// the product's caption, the icon kind and the buttons.
void ExpectBox(const BoxRecord &box, const char *text, int icon, const std::vector<int> &buttons,
               const char *file = __builtin_FILE(), int line = __builtin_LINE());
void ExpectBox(const BoxRecord &box, const std::string &text, int icon,
               const std::vector<int> &buttons, const char *file = __builtin_FILE(),
               int line = __builtin_LINE());

// Each value is a REG_SZ holding exactly the data and one terminator.
void ExpectRegistryValues(const std::vector<RegistryValue> &values,
                          const char *file = __builtin_FILE(), int line = __builtin_LINE());

// Two machine snapshots (MachineSnapshot) agree in everything but the
// settings document type, which the uninstaller keeps and which must be
// there afterwards.
void ExpectOnlyDocumentTypeLeft(const std::map<std::string, std::string> &before,
                                const std::map<std::string, std::string> &after,
                                const char *file = __builtin_FILE(), int line = __builtin_LINE());
