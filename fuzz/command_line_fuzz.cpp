// Fuzzes the reading of command lines: the uninstaller's phase choice
// ("/internally" anywhere, compared case-sensitively; in the East Asian
// code pages only where it begins a character) and the switches, whose
// values always end within their buffers.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "code_pages.h"
#include "command_line.h"
#include "paths.h"
#include "product.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string line((const char *)data, size);
    line = line.substr(0, line.find('\0'));
    char *copy = (char *)malloc(line.size() + 1);
    memcpy(copy, line.c_str(), line.size() + 1);
    for (unsigned codePage : kFuzzCodePages) {
        size_t expected = line.find(REMOVAL_PHASE_SWITCH);
        while (expected != std::string::npos && !IsCharStart(copy, expected, codePage))
            expected = line.find(REMOVAL_PHASE_SWITCH, expected + 1);
        const char *found = FindText(copy, REMOVAL_PHASE_SWITCH, codePage);
        if ((found != NULL) != (expected != std::string::npos))
            abort();
        if (found && (size_t)(found - copy) != expected)
            abort();
    }
    CommandLine switches;
    memset(&switches, 'x', sizeof(switches));
    ReadCommandLine(copy, &switches);
    if (strnlen(switches.folder, sizeof(switches.folder)) >= sizeof(switches.folder) ||
        strnlen(switches.log, sizeof(switches.log)) >= sizeof(switches.log) ||
        (switches.silent & ~1) || (switches.noShortcut & ~1) || (switches.unknown & ~1))
        abort();
    free(copy);
    return 0;
}
