// Fuzzes the cleanup script's name and bytes with temporary folders of any
// length: the result fits its buffer or is refused, and a composed script
// holds exactly its six lines, each % of the paths doubled.
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "cleanup_script_text.h"

// The path as the script holds it: every % doubled.
static std::string Doubled(const std::string &path)
{
    std::string doubled;
    for (char c : path)
        doubled += c == '%' ? std::string("%%") : std::string(1, c);
    return doubled;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    int number = 1 + data[0] % CLEANUP_SCRIPT_MAX_NUMBER;
    std::string temp((const char *)data + 1, size - 1);
    temp = temp.substr(0, temp.find('\0'));

    const size_t pathCap = 260;
    char *path = (char *)malloc(pathCap);
    path[0] = '\0';
    int named = ComposeCleanupScriptPath(path, pathCap, temp.c_str(), number);
    std::string expectedName = temp + "delme" + std::to_string(number) + ".bat";
    if (named != (expectedName.size() < pathCap))
        abort();
    if (named && expectedName != path)
        abort();

    char *content = (char *)malloc(CLEANUP_SCRIPT_CAPACITY);
    content[0] = '\0';
    const char *script = named ? path : "x";
    if (ComposeCleanupScript(content, CLEANUP_SCRIPT_CAPACITY, temp.c_str(), script)) {
        std::string tempRead = Doubled(temp);
        std::string expected = "\r\n@echo off\r\n:myLabel\r\ndel \"" + tempRead +
                               "uninstall.exe\"\r\nif exist \"" + tempRead +
                               "uninstall.exe\" goto myLabel\r\ndel \"" + Doubled(script) +
                               "\"\r\n";
        if (expected != content)
            abort();
    }
    if (strlen(content) >= CLEANUP_SCRIPT_CAPACITY)
        abort();
    free(content);
    free(path);
    return 0;
}
