// Registry cleanup, called in-process against the Wine registry: the
// settings and company keys, the App Paths entry and the uninstall entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "files.h"
#include "import_hook.h"
#include "product.h"
#include "registry.h"
#include "uninstall.h"

namespace {

const std::string kCompany = COMPANY_KEY_PATH;
const std::string kSettings = SETTINGS_KEY_PATH;
const std::string kAppPaths = APP_PATHS_KEY_PATH;
const std::string kAppPathsEntry = kAppPaths + "\\" PRODUCT_EXE_NAME;

// Records the names RegDeleteKeyA is asked to delete, in order.
std::vector<std::string> *g_deleted;
void *g_realDelete;
LONG WINAPI RecordDelete(HKEY key, LPCSTR name)
{
    if (g_deleted)
        g_deleted->push_back(name);
    return ((LONG(WINAPI *)(HKEY, LPCSTR))g_realDelete)(key, name);
}

LONG g_enumResult;
LONG WINAPI FailEnum(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPSTR, LPDWORD, PFILETIME)
{
    return g_enumResult;
}

LONG WINAPI FailQueryInfo(HKEY, LPSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD, LPDWORD,
                          LPDWORD, LPDWORD, LPDWORD, PFILETIME)
{
    return ERROR_ACCESS_DENIED;
}

class RegistryCleanup : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    void Clean()
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            RestoreAll(root, kCompany);
            DeleteTree(root, kCompany);
        }
        DeleteTree(HKEY_LOCAL_MACHINE, kAppPathsEntry);
        DeleteTree(HKEY_LOCAL_MACHINE, kAppPaths + "\\Other Tool.exe");
        DeleteTree(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
    }
    // Undoes DenyKeyAll on a key and everything below it.
    static void RestoreAll(HKEY root, const std::string &path)
    {
        RestoreKey(root, path);
        HKEY key;
        if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS)
            return;
        std::vector<std::string> children;
        char name[MAX_PATH];
        DWORD size = sizeof(name);
        for (DWORD i = 0; RegEnumKeyExA(key, i, name, &size, NULL, NULL, NULL, NULL) == 0;
             ++i, size = sizeof(name))
            children.push_back(name);
        RegCloseKey(key);
        for (const std::string &child : children)
            RestoreAll(root, path + "\\" + child);
    }
    // A settings subtree three levels deep, with values on every level.
    static void WriteDeepTree(HKEY root)
    {
        WriteDword(root, kSettings, VALUE_HOTKEY, 0x0641);
        WriteString(root, kSettings + "\\Windows\\Main\\Placement", "Left", "10");
        WriteString(root, kSettings + "\\Windows\\Main", "State", "max");
        WriteString(root, kSettings + "\\Windows\\Alarm", "State", "min");
        WriteString(root, kSettings + "\\Recent\\1", "File", "a.qsx");
        WriteString(root, kSettings + "\\Zones", "Count", "2");
    }
};

TEST_F(RegistryCleanup, DeleteKeyTreeEmptiesDepthFirstAndKeepsTheKeyWithItsValues)
{
    WriteDeepTree(HKEY_CURRENT_USER);
    std::vector<std::string> deleted;
    ImportSwap swap("advapi32.dll", "RegDeleteKeyA", (void *)RecordDelete);
    g_realDelete = swap.Original();
    ASSERT_TRUE(g_realDelete);
    g_deleted = &deleted;
    DeleteKeyTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    g_deleted = nullptr;

    EXPECT_EQ(0, SubkeyCount(HKEY_CURRENT_USER, kSettings));
    DWORD hotkey = 0;
    EXPECT_TRUE(ReadDword(HKEY_CURRENT_USER, kSettings, VALUE_HOTKEY, &hotkey));
    EXPECT_EQ(0x0641u, hotkey);
    // Every key goes after all of its descendants, siblings in registry order.
    std::vector<std::string> expected = {"Placement", "Main", "Alarm", "Windows",
                                         "1",         "Recent", "Zones"};
    std::vector<std::string> sortedExpected = expected;
    std::vector<std::string> sortedDeleted = deleted;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    std::sort(sortedDeleted.begin(), sortedDeleted.end());
    ASSERT_EQ(sortedExpected, sortedDeleted);
    auto position = [&](const char *name) {
        return std::find(deleted.begin(), deleted.end(), name) - deleted.begin();
    };
    EXPECT_LT(position("Placement"), position("Main"));
    EXPECT_LT(position("Main"), position("Windows"));
    EXPECT_LT(position("Alarm"), position("Windows"));
    EXPECT_LT(position("1"), position("Recent"));
}

TEST_F(RegistryCleanup, DeleteKeyTreeOnAMissingKeyDoesNothing)
{
    WriteString(HKEY_CURRENT_USER, kCompany + "\\Other", "Keep", "1");
    DeleteKeyTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettings));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kCompany + "\\Other", "Keep"));
}

TEST_F(RegistryCleanup, DeleteKeyTreeEndsWhenAChildCannotBeDeleted)
{
    // "Alpha" and its child are deleted first; "Blocked" cannot be opened or
    // deleted, so emptying stops there.
    WriteString(HKEY_CURRENT_USER, kSettings + "\\Alpha\\Inner", "v", "1");
    WriteString(HKEY_CURRENT_USER, kSettings + "\\Blocked\\Inner", "v", "1");
    WriteString(HKEY_CURRENT_USER, kSettings + "\\Later", "v", "1");
    DenyKeyAll(HKEY_CURRENT_USER, kSettings + "\\Blocked");

    DeleteKeyTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);

    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettings + "\\Alpha"));
    RestoreKey(HKEY_CURRENT_USER, kSettings + "\\Blocked");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettings + "\\Blocked\\Inner"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettings + "\\Later"));
}

TEST_F(RegistryCleanup, DeleteKeyTreeEndsOnAnyOtherEnumerationError)
{
    WriteString(HKEY_CURRENT_USER, kSettings + "\\Windows", "v", "1");
    g_enumResult = ERROR_ACCESS_DENIED;
    {
        ImportSwap swap("advapi32.dll", "RegEnumKeyExA", (void *)FailEnum);
        ASSERT_TRUE(swap.Original());
        DeleteKeyTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    }
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettings + "\\Windows"));
}

// Creates name under root\path through a handle: Wine's A functions refuse
// whole paths longer than 260 characters.
bool CreateBelow(HKEY root, const std::string &path, const std::vector<std::string> &names)
{
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL))
        return false;
    for (const std::string &name : names) {
        HKEY child;
        LONG status = RegCreateKeyExA(key, name.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &child,
                                      NULL);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS)
            return false;
        key = child;
    }
    RegCloseKey(key);
    return true;
}

bool ExistsBelow(HKEY root, const std::string &path, const std::vector<std::string> &names)
{
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key))
        return false;
    for (const std::string &name : names) {
        HKEY child;
        LONG status = RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, &child);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS)
            return false;
        key = child;
    }
    RegCloseKey(key);
    return true;
}

TEST_F(RegistryCleanup, DeleteKeyTreeChildPathsBeyondTheBufferAreNotFollowed)
{
    // Settings path (32) + "\" + 200 + "\" + 30 characters: the second
    // level's path does not fit in 260 characters.
    const std::string level1(200, 'a');
    const std::string level2(30, 'b');
    ASSERT_TRUE(CreateBelow(HKEY_CURRENT_USER, kSettings, {level1, level2}));
    DeleteKeyTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    EXPECT_EQ(0, SubkeyCount(HKEY_CURRENT_USER, kSettings)) << "a childless key goes by name";

    ASSERT_TRUE(CreateBelow(HKEY_CURRENT_USER, kSettings, {level1, level2, "c"}));
    DeleteKeyTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    EXPECT_TRUE(ExistsBelow(HKEY_CURRENT_USER, kSettings, {level1, level2, "c"}));

    HKEY settings;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettings.c_str(), 0,
                                           KEY_ALL_ACCESS, &settings));
    RegDeleteTreeA(settings, level1.c_str());
    RegCloseKey(settings);
}

TEST_F(RegistryCleanup, RemovesEverythingOfTheProductUnderBothRoots)
{
    WriteDeepTree(HKEY_CURRENT_USER);
    WriteString(HKEY_LOCAL_MACHINE, kSettings, VALUE_INSTALL_PATH, "C:\\Program Files\\VC");
    WriteString(HKEY_LOCAL_MACHINE, kAppPathsEntry, NULL, "C:\\Program Files\\VC\\Chronex.exe");
    WriteString(HKEY_LOCAL_MACHINE, kAppPaths + "\\Other Tool.exe", NULL, "C:\\other.exe");
    // Left by a confirmation phase that was ended before it took it out.
    WriteString(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH, VALUE_DISPLAY_NAME, PRODUCT_DISPLAY_NAME);

    std::vector<std::string> deleted;
    {
        ImportSwap swap("advapi32.dll", "RegDeleteKeyA", (void *)RecordDelete);
        ASSERT_TRUE(swap.Original());
        g_realDelete = swap.Original();
        g_deleted = &deleted;
        RemoveRegistryEntries();
        g_deleted = nullptr;
    }

    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_FALSE(KeyExists(root, kSettings));
        EXPECT_FALSE(KeyExists(root, kCompany));
        EXPECT_TRUE(KeyExists(root, SOFTWARE_KEY_PATH));
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kAppPathsEntry));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kAppPaths + "\\Other Tool.exe"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH));
    // The machine's settings key, with InstallPath, goes last.
    ASSERT_LE(3u, deleted.size());
    EXPECT_EQ((std::vector<std::string>{UNINSTALL_ENTRY_NAME, SETTINGS_KEY_NAME, COMPANY_KEY_NAME}),
              std::vector<std::string>(deleted.end() - 3, deleted.end()));
}

TEST_F(RegistryCleanup, CompanyKeyWithAnotherProductStaysWithIt)
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        WriteString(root, kSettings, VALUE_INSTALL_PATH, "C:\\VC");
        WriteString(root, kCompany + "\\Tallyfox\\Options", "Mode", "1");
    }
    RemoveRegistryEntries();
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_FALSE(KeyExists(root, kSettings));
        EXPECT_TRUE(ValueExists(root, kCompany + "\\Tallyfox\\Options", "Mode"));
        EXPECT_EQ(1, SubkeyCount(root, kCompany));
    }
}

TEST_F(RegistryCleanup, CompanyKeyWithValuesOnlyGoesWithThem)
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        WriteString(root, kSettings, VALUE_INSTALL_PATH, "C:\\VC");
        WriteString(root, kCompany, "Registered", "yes");
    }
    RemoveRegistryEntries();
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        EXPECT_FALSE(KeyExists(root, kCompany));
}

TEST_F(RegistryCleanup, MachineSettingsKeyWithSubkeysStaysWithItsCompanyKey)
{
    WriteDeepTree(HKEY_CURRENT_USER);
    WriteDeepTree(HKEY_LOCAL_MACHINE);
    RemoveRegistryEntries();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kCompany));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kSettings + "\\Windows\\Main\\Placement"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kCompany));
}

TEST_F(RegistryCleanup, MissingKeysChangeNothingElse)
{
    RemoveRegistryEntries();
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        EXPECT_FALSE(KeyExists(root, kCompany)) << "nothing is created";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kAppPaths));

    // A company key without a per-user settings key still goes when empty.
    WriteString(HKEY_CURRENT_USER, kCompany, "Registered", "yes");
    RemoveRegistryEntries();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kCompany));
}

TEST_F(RegistryCleanup, CompanyKeyWhoseSubkeysCannotBeCountedIsKept)
{
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        WriteString(root, kSettings, VALUE_INSTALL_PATH, "C:\\VC");
    {
        ImportSwap swap("advapi32.dll", "RegQueryInfoKeyA", (void *)FailQueryInfo);
        ASSERT_TRUE(swap.Original());
        RemoveRegistryEntries();
    }
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        EXPECT_FALSE(KeyExists(root, kSettings));
        EXPECT_TRUE(KeyExists(root, kCompany));
    }
}

TEST_F(RegistryCleanup, UnopenableCompanyKeyKeepsItsSettingsKey)
{
    WriteString(HKEY_CURRENT_USER, kSettings, VALUE_HOTKEY, "x");
    WriteString(HKEY_LOCAL_MACHINE, kSettings, VALUE_INSTALL_PATH, "C:\\VC");
    DenyKeyAll(HKEY_CURRENT_USER, kCompany);
    RemoveRegistryEntries();
    RestoreKey(HKEY_CURRENT_USER, kCompany);
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, kSettings, VALUE_HOTKEY));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kCompany)) << "the next step still runs";
}

}  // namespace
