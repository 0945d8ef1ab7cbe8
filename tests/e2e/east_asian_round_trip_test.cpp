// The round trip on a Japanese Windows (ANSI code page 932), into a folder
// whose characters end in the byte of a backslash: ソ is 83 5C, 表 is 95 5C.
// Read byte by byte, such a folder ends in a backslash and splits inside a
// character, and the files land beside it. Everything must land inside it
// and go again, leaving what was there before.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "expect.h"
#include "files.h"
#include "machine.h"
#include "product.h"
#include "registry.h"
#include "round_trip.h"
#include "setup_run.h"
#include "snapshot.h"

namespace {

const char kDist[] = "C:\\tests\\cp932 dist";
const char kInstallRoot[] = "C:\\tests\\cp932";
// C:\tests\cp932\ソフト表
const char kInstall[] = "C:\\tests\\cp932\\\x83\x5c\x83\x74\x83\x67\x95\x5c";

class EastAsianRoundTrip : public RoundTripTest {
protected:
    EastAsianRoundTrip() : RoundTripTest(kDist, kInstallRoot) {}
};

TEST_F(EastAsianRoundTrip, FolderEndingInA5CByteHoldsEverythingAndGoesAgain)
{
    // Without the locale Wine runs in 1252 and this test would prove nothing.
    ASSERT_EQ(932u, GetACP()) << "Wine did not start in code page 932 (tests/locale.sh)";
    std::map<std::string, std::string> before = MachineSnapshot(kInstallRoot);

    SetupRun setup =
        RunSetup(std::string(kDist) + "\\" SETUP_EXE_NAME, {kInstall, false, false});
    ASSERT_TRUE(setup.dialog) << "no options dialog";
    ASSERT_EQ(1u, setup.boxes.size());
    EXPECT_EQ(PRODUCT_DISPLAY_NAME " has been installed successfully.", setup.boxes[0].text);
    std::string installPath;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &installPath));
    EXPECT_EQ(kInstall, installPath);
    EXPECT_EQ(std::vector<std::string>{kInstall + strlen(kInstallRoot) + 1},
              ListFolder(kInstallRoot))
        << "nothing lands beside the install folder";
    EXPECT_TRUE(FileExists(std::string(kInstall) + "\\" PRODUCT_EXE_NAME));
    EXPECT_TRUE(FileExists(std::string(kInstall) + "\\" UNINSTALL_EXE_NAME));
    EXPECT_FALSE(ListFolder(std::string(kInstall) + "\\images").empty());

    ProcessTree tree;
    std::vector<BoxRecord> boxes;
    ASSERT_TRUE(RunStoredUninstall(&tree, &boxes)) << "the uninstallation did not end";
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("This will uninstall Velkor Chronex.", boxes[0].text);
    EXPECT_EQ(1u, tree.Named("cmd.exe").size()) << "one cleanup script";

    ExpectOnlyDocumentTypeLeft(before, MachineSnapshot(kInstallRoot));
    EXPECT_TRUE(UninstallerLeftovers().empty());
}

}  // namespace
