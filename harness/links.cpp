// Shortcut files read back.
#include "links.h"

#include <ole2.h>
#include <shlobj.h>
#include <string.h>

#include "files.h"

bool ReadLink(const std::string &path, LinkInfo *info)
{
    std::string bytes = ReadFileText(path);
    if (bytes.size() < 0x42)
        return false;
    memcpy(&info->fileShowCommand, bytes.data() + 0x3C, 4);
    memcpy(&info->fileHotkey, bytes.data() + 0x40, 2);

    IShellLinkA *link = NULL;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                (void **)&link)))
        return false;
    IPersistFile *file = NULL;
    bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void **)&file));
    if (ok) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        ok = SUCCEEDED(file->Load(wide, STGM_READ));
        file->Release();
    }
    if (ok) {
        char text[1024];
        text[0] = '\0';
        link->GetPath(text, sizeof(text), NULL, SLGP_RAWPATH);
        info->target = text;
        text[0] = '\0';
        link->GetArguments(text, sizeof(text));
        info->arguments = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, sizeof(text));
        info->workingDirectory = text;
        link->GetHotkey(&info->hotkey);
        text[0] = '\0';
        link->GetIconLocation(text, sizeof(text), &info->iconIndex);
        info->iconPath = text;
    }
    link->Release();
    return ok;
}
