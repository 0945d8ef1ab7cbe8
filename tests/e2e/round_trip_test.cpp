// The round trip: setup.exe installs from a distribution folder, then the
// stored UninstallString is run and confirmed. After both uninstaller
// processes and the script have ended, the machine must be as it was before
// the installation, apart from the settings document type, which stays.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <map>
#include <string>

#include "distribution.h"
#include "expect.h"
#include "files.h"
#include "machine.h"
#include "msgbox.h"
#include "process.h"
#include "process_tree.h"
#include "product.h"
#include "registry.h"
#include "round_trip.h"
#include "setup_run.h"
#include "snapshot.h"

namespace {

const char kDist[] = "C:\\tests\\uninstall e2e dist";
const char kInstallRoot[] = "C:\\tests\\uninstall e2e";
const char kInstall[] = "C:\\tests\\uninstall e2e\\Velkor Software\\Chronex";

class RoundTrip : public RoundTripTest {
protected:
    RoundTrip() : RoundTripTest(kDist, kInstallRoot) {}
};

TEST_F(RoundTrip, InstallThenUninstallLeavesTheMachineAsBefore)
{
    ASSERT_TRUE(FileExists(std::string(kDist) + "\\" SETUP_EXE_NAME));
    ASSERT_TRUE(FileExists(std::string(kDist) + "\\" UNINSTALL_EXE_NAME));
    std::map<std::string, std::string> before = MachineSnapshot(kInstallRoot);

    // Install, with the Start-menu shortcut, without starting the application.
    SetupRun setup =
        RunSetup(std::string(kDist) + "\\" SETUP_EXE_NAME, {kInstall, true, false});
    ASSERT_TRUE(setup.dialog) << "no options dialog";
    EXPECT_EQ(1u, setup.exitCode);
    ASSERT_EQ(1u, setup.boxes.size());
    EXPECT_EQ(PRODUCT_DISPLAY_NAME " has been installed successfully.", setup.boxes[0].text);
    // What the application itself keeps per user: its hotkey and a window.
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0x0648);
    WriteString(HKEY_CURRENT_USER, SETTINGS_KEY_PATH "\\Windows\\Main", "Placement", "1 2 3 4");

    std::string installPath;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &installPath));
    EXPECT_EQ(kInstall, installPath);
    EXPECT_TRUE(FileExists(std::string(kInstall) + "\\" PRODUCT_EXE_NAME));
    EXPECT_TRUE(FileExists(std::string(kInstall) + "\\" UNINSTALL_EXE_NAME));
    EXPECT_FALSE(ListFolder(std::string(kInstall) + "\\images").empty());
    EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_STARTMENU) +
                           PRODUCT_DISPLAY_NAME SHORTCUT_EXTENSION));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, DOCUMENT_TYPE_NAME));

    // Uninstall the way the system's software list does.
    ProcessTree tree;
    std::vector<BoxRecord> boxes;
    ASSERT_TRUE(RunStoredUninstall(&tree, &boxes)) << "the uninstallation did not end";
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("This will uninstall Velkor Chronex.", boxes[0].text);
    std::vector<TreeProcess> uninstallers = tree.Named(UNINSTALL_EXE_NAME);
    ASSERT_EQ(2u, uninstallers.size());
    EXPECT_EQ(std::string(kInstall) + "\\" UNINSTALL_EXE_NAME, uninstallers[0].image);
    EXPECT_EQ(TemporaryFolder() + UNINSTALL_EXE_NAME, uninstallers[1].image);
    for (const TreeProcess &process : uninstallers)
        EXPECT_EQ(1u, process.exitCode) << process.image;
    ASSERT_EQ(1u, tree.Named("cmd.exe").size()) << "one cleanup script";
    // On 64-bit Windows a 32-bit program's script runs in the 32-bit shell.
    if (RunningUnderWow64()) {
        EXPECT_EQ(0, lstrcmpiA("C:\\windows\\syswow64\\cmd.exe",
                               tree.Named("cmd.exe")[0].image.c_str()));
    }

    ExpectOnlyDocumentTypeLeft(before, MachineSnapshot(kInstallRoot));
}

}  // namespace
