// Distribution folders for the installer to copy from.
//
// Handles: none is kept; each file is closed before the routine returns.
#pragma once

#include <string>

// Makes C:\tests\<name> a distribution: plain files of every kind (hidden
// and read-only ones too), a name the copy filter must tell from setup's
// own (mysetup.exe), a subfolder that is not copied and, withImages, an
// images folder whose subfolder and setup copy are not copied either. The
// programs are stand-ins unless setupName is given: then the real setup.exe
// (under that name) and the real application are there. Returns the path.
std::string MakeDistribution(const std::string &name, bool withImages,
                             const char *setupName = nullptr);

// Copies a folder tree, such as the distribution the build assembles.
void CopyFolder(const std::string &from, const std::string &to);
