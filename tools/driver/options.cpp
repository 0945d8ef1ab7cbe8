// The command line: the options of every command, and the words that are
// not options (program paths and their arguments).
#include "driver.h"

#include <stdlib.h>

namespace driver {

bool ParseOptions(int argc, char **argv, int first, Options *options)
{
    for (int i = first; i < argc; ++i) {
        std::string word = argv[i];
        auto next = [&](std::string *value) {
            if (i + 1 >= argc)
                return false;
            *value = argv[++i];
            return true;
        };
        std::string value;
        if (word == "--") {
            for (++i; i < argc; ++i)
                options->words.push_back(argv[i]);
        } else if (word == "--shots") {
            if (!next(&g_shots.folder))
                return false;
            CreateDirectoryA(g_shots.folder.c_str(), NULL);
            g_shots.count = CountShots();
        } else if (word == "--label") {
            if (!next(&g_shots.label))
                return false;
            g_shots.label += "-";
        } else if (word == "--folder") {
            if (!next(&options->folder))
                return false;
        } else if (word == "--open") {
            if (!next(&options->open))
                return false;
        } else if (word == "--path") {
            if (!next(&value))
                return false;
            options->paths.push_back(value);
        } else if (word == "--process") {
            if (!next(&value))
                return false;
            options->processes.push_back(value);
        } else if (word == "--timeout") {
            if (!next(&value))
                return false;
            options->timeoutMs = (DWORD)atoi(value.c_str()) * 1000;
        } else if (word == "--no-start") {
            options->noStart = true;
        } else if (word == "--no-shortcut") {
            options->noShortcut = true;
        } else if (word == "--hotkey") {
            options->hotkey = true;
        } else if (word == "--cancel") {
            options->cancel = true;
        } else if (word == "--fast") {
            options->fast = true;
        } else if (word == "--press-hotkey") {
            options->pressHotkey = true;
        } else if (word == "--poll") {
            if (!next(&value))
                return false;
            g_run.pollMs = (DWORD)atoi(value.c_str());
        } else if (word == "--trace") {
            g_run.trace = true;
        } else if (word == "--close") {
            options->close = true;
        } else if (word == "--manual") {
            options->manual = true;
            options->timeoutMs = 3600 * 1000;
        } else if (word.size() > 2 && word.compare(0, 2, "--") == 0) {
            return false;
        } else {
            options->words.push_back(word);
        }
    }
    return true;
}

}  // namespace driver
