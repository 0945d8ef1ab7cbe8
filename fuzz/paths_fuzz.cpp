// Fuzzes the bounded path composition: any existing text, any appended name,
// any buffer size up to a path buffer, appended in place or composed anew,
// in a single-byte code page and in the East Asian ones.
// Buffers are allocated at their exact size so that AddressSanitizer catches
// a write past the end.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "code_pages.h"
#include "paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    size_t cap = 1 + data[0] % 260;
    unsigned codePage = PickCodePage(data[1]);
    std::string input((const char *)data + 2, size - 2);
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
    int appended = AppendPathName(buffer, cap, second.c_str(), codePage);
    int ends = EndsWithBackslash(before.c_str(), codePage);
    // A backslash that ends the text is a character of its own.
    if (ends != (!before.empty() && before.back() == '\\' &&
                 IsCharStart(before.c_str(), before.size() - 1, codePage)))
        abort();
    // A character cut in two at the end is not completed by the backslash.
    bool cut = !before.empty() && IsLeadByte(codePage, (unsigned char)before.back()) &&
               IsCharStart(before.c_str(), before.size() - 1, codePage);
    size_t expected = before.size() + (ends ? 0 : 1) + second.size();
    if (appended != (expected < cap && !cut))
        abort();
    if (!appended && before != buffer)
        abort();

    // Composing into another buffer gives what the copy and the append gave.
    char *composed = (char *)malloc(cap);
    composed[0] = '\0';
    int joined = ComposePath(composed, cap, first.c_str(), second.c_str(), codePage);
    if (joined != (copied && appended))
        abort();
    if (joined ? strcmp(composed, buffer) != 0 : composed[0] != '\0')
        abort();
    free(composed);

    if (AppendBackslash(buffer, cap, codePage) && !EndsWithBackslash(buffer, codePage))
        abort();
    AppendText(buffer, cap, second.c_str());
    std::string unremoved = buffer;
    RemoveTrailingBackslash(buffer, codePage);
    if (strlen(buffer) >= cap)
        abort();
    if (EndsWithBackslash(unremoved.c_str(), codePage) ? unremoved != std::string(buffer) + "\\"
                                                        : unremoved != buffer)
        abort();
    size_t nameStart = FindNameStart(first.c_str(), codePage);
    if (nameStart && (first[nameStart - 1] != '\\' ||
                      !IsCharStart(first.c_str(), nameStart - 1, codePage) ||
                      EndsWithBackslash(first.substr(nameStart).c_str(), codePage)))
        abort();
    const char *found = FindText(first.c_str(), second.c_str(), codePage);
    if (found && (strncmp(found, second.c_str(), second.size()) != 0 ||
                  !IsCharStart(first.c_str(), (size_t)(found - first.c_str()), codePage)))
        abort();
    free(buffer);
    return 0;
}
