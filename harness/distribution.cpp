// Distribution folders for the installer tests.
#include "distribution.h"

#include <windows.h>

#include "files.h"
#include "process.h"
#include "product.h"

std::string MakeDistribution(const std::string &name, bool withImages, const char *setupName)
{
    std::string dist = MakeScratchFolder(name);
    WriteFileText(dist + "\\" PRODUCT_EXE_NAME, "stand-in program");
    WriteFileText(dist + "\\" UNINSTALL_EXE_NAME, "stand-in uninstaller");
    WriteFileText(dist + "\\readme.txt", "new readme");
    WriteFileText(dist + "\\mysetup.exe", "not the installer");
    WriteFileText(dist + "\\Settings.ico", "icon");
    WriteFileText(dist + "\\hidden.dat", "hidden");
    SetFileAttributesA((dist + "\\hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    WriteFileText(dist + "\\readonly.txt", "read-only");
    SetFileAttributesA((dist + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    MakeFolders(dist + "\\tools");
    WriteFileText(dist + "\\tools\\extra.exe", "not copied");
    if (withImages) {
        MakeFolders(dist + "\\images\\thumbs");
        WriteFileText(dist + "\\images\\logo.png", "logo");
        WriteFileText(dist + "\\images\\back.gif", "back");
        WriteFileText(dist + "\\images\\Setup.Exe", "not copied either");
        WriteFileText(dist + "\\images\\thumbs\\small.png", "not copied");
    }
    if (setupName) {
        CopyFileA((TestProgramFolder() + SETUP_EXE_NAME).c_str(),
                  (dist + "\\" + setupName).c_str(), FALSE);
        CopyFileA((TestProgramFolder() + PRODUCT_EXE_NAME).c_str(),
                  (dist + "\\" PRODUCT_EXE_NAME).c_str(), FALSE);
    }
    return dist;
}

void CopyFolder(const std::string &from, const std::string &to)
{
    MakeFolders(to);
    for (const std::string &name : ListFolder(from)) {
        if (FolderExists(from + "\\" + name))
            CopyFolder(from + "\\" + name, to + "\\" + name);
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    }
}
