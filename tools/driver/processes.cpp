// Starting the programs under watch, and counting the running processes of
// given names.
#include "driver.h"

#include <tlhelp32.h>

namespace driver {

bool StartProcess(const std::string &program, const std::string &arguments,
                  const std::string &folder, PROCESS_INFORMATION *info)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string line = "\"" + program + "\"";
    if (!arguments.empty())
        line += " " + arguments;
    return CreateProcessA(program.c_str(), &line[0], NULL, NULL, FALSE, 0, NULL,
                          folder.empty() ? NULL : folder.c_str(), &startup, info) != 0;
}

bool StartCommand(const std::string &command, PROCESS_INFORMATION *info)
{
    if (command.empty() || command[0] != '"')
        return StartProcess(command, "", "", info);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string line = command;
    return CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, info) != 0;
}

std::string FolderOf(const std::string &path)
{
    size_t cut = path.rfind('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

int RunningCount(const std::vector<std::string> &names)
{
    if (names.empty())
        return 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry))
        for (const std::string &name : names)
            if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0)
                ++count;
    CloseHandle(snapshot);
    return count;
}

}  // namespace driver
