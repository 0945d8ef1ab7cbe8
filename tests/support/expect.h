// Checks that several tests make, each failure naming the caller's line
// as well as expected and actual.
#pragma once

#include <windows.h>

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
