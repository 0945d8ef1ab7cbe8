// The command line: the options of every command, and the words that are
// not options (program paths and their arguments).
#include "driver.h"

#include <stdlib.h>

namespace driver {
namespace {

struct Flag {
    const char *name;
    bool Options::*member;
};

const Flag kFlags[] = {
    {"--no-start", &Options::noStart},   {"--no-shortcut", &Options::noShortcut},
    {"--hotkey", &Options::hotkey},      {"--cancel", &Options::cancel},
    {"--fast", &Options::fast},          {"--press-hotkey", &Options::pressHotkey},
    {"--close", &Options::close},        {"--trace", &Options::trace},
    {"--manual", &Options::manual},
};

struct Valued {
    const char *name;
    std::string Options::*member;
};

const Valued kValued[] = {
    {"--folder", &Options::folder},
    {"--open", &Options::open},
    {"--shots", &Options::shots},
    {"--label", &Options::label},
};

}  // namespace

bool ParseOptions(int argc, char **argv, int first, Options *options)
{
    for (int i = first; i < argc; ++i) {
        const std::string word = argv[i];
        bool known = false;
        for (const Flag &flag : kFlags)
            if (word == flag.name) {
                options->*flag.member = true;
                known = true;
            }
        if (known)
            continue;
        if (word == "--") {
            options->words.insert(options->words.end(), argv + i + 1, argv + argc);
            break;
        }
        if (word.compare(0, 2, "--") != 0) {
            options->words.push_back(word);
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char *value = argv[++i];
        for (const Valued &option : kValued)
            if (word == option.name) {
                options->*option.member = value;
                known = true;
            }
        if (word == "--path")
            options->paths.push_back(value);
        else if (word == "--process")
            options->processes.push_back(value);
        else if (word == "--timeout")
            options->timeoutMs = (DWORD)atoi(value) * 1000;
        else if (word == "--poll")
            options->pollMs = (DWORD)atoi(value);
        else if (!known)
            return false;
    }
    // A person takes their time.
    if (options->manual)
        options->timeoutMs = 3600 * 1000;
    return true;
}

}  // namespace driver
