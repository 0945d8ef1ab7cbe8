// RegisterInstallation and WriteUninstallEntry called in the test process:
// every value with its exact data, the quoted command lines, the
// notifications, reinstalling into another folder, and the failures that
// must not stop the stage.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "expect.h"
#include "import_hook.h"
#include "installation.h"
#include "machine.h"
#include "msgbox.h"
#include "product.h"
#include "registry.h"
#include "setup.h"

namespace {

class Registration : public ::testing::Test {
protected:
    void SetUp() override { CleanProductState(); }
    void TearDown() override
    {
        RestoreKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
        RestoreKey(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
        CleanProductState();
    }
    // Both registration steps, as setup runs them: the second one once
    // uninstall.exe has been copied.
    void Register(const std::string &folder)
    {
        lstrcpynA(g_installFolder, folder.c_str(), MAX_PATH);
        RegisterInstallation();
        WriteUninstallEntry(NULL);
    }
};

TEST_F(Registration, WritesEveryValueQuotedAndAnnouncesTheAssociation)
{
    const std::string folder = "C:\\Program Files\\Velkor Chronex";
    BoxAnswerer answerer;
    ShellNotifyLog log;
    lstrcpynA(g_installFolder, folder.c_str(), MAX_PATH);
    RegisterInstallation();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH))
        << "the entry waits for uninstall.exe";
    WriteUninstallEntry(NULL);

    ExpectRegistryValues(ExpectedRegistration(folder));
    EXPECT_EQ((int)ExpectedUninstallEntry(folder).size(),
              ValueCount(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH))
        << "the uninstall entry holds exactly its table's values";
    EXPECT_EQ(1, ValueCount(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
    EXPECT_EQ(0u, answerer.boxes.size()) << "a successful registration shows nothing";

    ASSERT_EQ(2u, log.calls.size());
    EXPECT_EQ(SHCNE_ASSOCCHANGED, log.calls[0].event);
    EXPECT_EQ((UINT)SHCNF_IDLIST, log.calls[0].flags);
    EXPECT_EQ(0, log.calls[1].event);
    EXPECT_EQ((UINT)SHCNF_FLUSH, log.calls[1].flags);
}

TEST_F(Registration, ReinstallIntoAnotherFolderMovesEveryValue)
{
    BoxAnswerer answerer;
    Register("C:\\tests\\first place");
    Register("D:\\Second\\Velkor Chronex");
    ExpectRegistryValues(ExpectedRegistration("D:\\Second\\Velkor Chronex"));
    EXPECT_EQ((int)ExpectedUninstallEntry("D:\\Second\\Velkor Chronex").size(),
              ValueCount(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    EXPECT_EQ(0u, answerer.boxes.size());
}

TEST_F(Registration, UninstallEntryUnavailableLeavesTheRestWritten)
{
    WriteString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "Marker", "x");
    DeleteValue(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, "Marker");
    DenyKeyWrite(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
    BoxAnswerer answerer;
    ShellNotifyLog log;
    Register("C:\\tests\\denied entry");
    RestoreKey(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);

    EXPECT_EQ(0, ValueCount(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    ExpectRegistryValues(ExpectedRegistration("C:\\tests\\denied entry", false));
    EXPECT_EQ(0u, answerer.boxes.size()) << "a missing uninstall entry is not reported";
    EXPECT_EQ(2u, log.calls.size()) << "the notifications are sent all the same";
}

// The command refused after the name was written: no half entry stays in
// the list of installed software.
typedef LONG(WINAPI *SetValueFunction)(HKEY, LPCSTR, DWORD, DWORD, const BYTE *, DWORD);
SetValueFunction g_realSetValue;

LONG WINAPI RefuseUninstallString(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                                  const BYTE *data, DWORD size)
{
    if (name && lstrcmpA(name, VALUE_UNINSTALL_STRING) == 0)
        return ERROR_ACCESS_DENIED;
    return g_realSetValue(key, name, reserved, type, data, size);
}

TEST_F(Registration, UninstallEntryIsWrittenWholeOrNotAtAll)
{
    BoxAnswerer answerer;
    {
        ImportSwap swap("ADVAPI32.dll", "RegSetValueExA", (void *)RefuseUninstallString);
        g_realSetValue = (SetValueFunction)swap.Original();
        ASSERT_TRUE(g_realSetValue != NULL);
        Register("C:\\tests\\half entry");
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    std::string stored;
    EXPECT_TRUE(ReadString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &stored));
    EXPECT_EQ("C:\\tests\\half entry", stored) << "the other values are written all the same";
    EXPECT_EQ(0u, answerer.boxes.size());
}

TEST_F(Registration, UnwritableSettingsKeyShowsOneBoxAndGoesOn)
{
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C:\\old place");
    DenyKeyWrite(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
    BoxAnswerer answerer;
    ShellNotifyLog log;
    Register("C:\\tests\\new place");
    RestoreKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);

    ASSERT_EQ(1u, answerer.boxes.size());
    const BoxRecord &box = answerer.boxes[0];
    const std::string sentence = "Error writing SZ value to registry. Cannot open key.\r\n\r\n";
    EXPECT_EQ(sentence, box.text.substr(0, sentence.size()));
    EXPECT_GT(box.text.size(), sentence.size()) << "the system's text follows";
    EXPECT_EQ(PRODUCT_DISPLAY_NAME, box.caption);
    EXPECT_STREQ("error", IconKindName(box.icon));
    EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);

    std::vector<RegistryValue> expected = ExpectedRegistration("C:\\tests\\new place");
    expected[0].data = "C:\\old place";
    ExpectRegistryValues(expected);
    EXPECT_EQ(2u, log.calls.size());
}

// The longest folder whose uninstaller path still fits a path buffer gets
// the whole uninstall entry, quoted; one character more and the entry is
// left out, while every other value is still written.
TEST_F(Registration, ValuesThatDoNotFitAreNotWritten)
{
    BoxAnswerer answerer;
    const std::string fits = "C:\\" + std::string(242, 'f');  // 245 characters
    Register(fits);
    ExpectRegistryValues(ExpectedRegistration(fits));
    EXPECT_EQ((int)ExpectedUninstallEntry(fits).size(),
              ValueCount(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));

    for (size_t length : {246u, 259u}) {
        SCOPED_TRACE(length);
        CleanProductState();
        const std::string tooLong = "C:\\" + std::string(length - 3, 'g');
        Register(tooLong);
        ExpectRegistryValues(ExpectedRegistration(tooLong, false));
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    }
    EXPECT_EQ(0u, answerer.boxes.size());
}

}  // namespace
