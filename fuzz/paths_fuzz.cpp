// Fuzzes the bounded path composition: any existing text, any appended name,
// any buffer size up to a path buffer, appended in place or composed anew.
// Buffers are allocated at their exact size so that AddressSanitizer catches
// a write past the end.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    size_t cap = 1 + data[0] % 260;
    std::string input((const char *)data + 1, size - 1);
    size_t split = input.find('\0');
    std::string first = input.substr(0, split);
    std::string second = split == std::string::npos ? "" : input.substr(split + 1);
    second = second.substr(0, second.find('\0'));

    char *buffer = (char *)malloc(cap);
    buffer[0] = '\0';
    int copied = CopyText(buffer, cap, first.c_str());
    if (copied != (first.size() < cap))
        abort();
    if (copied && strcmp(buffer, first.c_str()) != 0)
        abort();

    std::string before = buffer;
    int appended = AppendPathName(buffer, cap, second.c_str());
    size_t expected = before.size() + (EndsWithBackslash(before.c_str()) ? 0 : 1) + second.size();
    if (appended != (expected < cap))
        abort();
    if (!appended && before != buffer)
        abort();

    // Composing into another buffer gives what the copy and the append gave.
    char *composed = (char *)malloc(cap);
    composed[0] = '\0';
    int joined = ComposePath(composed, cap, first.c_str(), second.c_str());
    if (joined != (copied && appended))
        abort();
    if (joined ? strcmp(composed, buffer) != 0 : composed[0] != '\0')
        abort();
    free(composed);

    AppendBackslash(buffer, cap);
    AppendText(buffer, cap, second.c_str());
    RemoveTrailingBackslash(buffer);
    if (strlen(buffer) >= cap)
        abort();
    const char *found = FindText(first.c_str(), second.c_str());
    if (found && strncmp(found, second.c_str(), second.size()) != 0)
        abort();
    free(buffer);
    return 0;
}
