// The settings-key operations against Wine's registry, with their message
// boxes answered and checked.
#include <gtest/gtest.h>

#include <string.h>

#include "expect.h"
#include "msgbox.h"
#include "product.h"
#include "registry.h"
#include "settings.h"

namespace {

std::string SystemText(DWORD error)
{
    char *text = NULL;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS |
                       FORMAT_MESSAGE_FROM_SYSTEM,
                   NULL, error, LANG_USER_DEFAULT, (LPSTR)&text, 0, NULL);
    std::string result = text ? text : "";
    LocalFree(text);
    return result;
}

class Settings : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
        DeleteTree(HKEY_CURRENT_USER, COMPANY_KEY_PATH);
    }
    void TearDown() override
    {
        RestoreKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
        RestoreKey(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
        DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
        DeleteTree(HKEY_CURRENT_USER, COMPANY_KEY_PATH);
    }
};

TEST_F(Settings, QueryOnMissingKeyLeavesEmptyKeyAndNoBox)
{
    BoxAnswerer answerer;
    char buffer[MAX_PATH] = "garbage";
    EXPECT_EQ(0, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_STREQ("", buffer);
    EXPECT_TRUE(answerer.boxes.empty());
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
    std::string data;
    EXPECT_FALSE(ReadValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &data, NULL));
}

TEST_F(Settings, StringOf259IsReadAnd260IsNot)
{
    BoxAnswerer answerer;
    char buffer[MAX_PATH + 8];
    memset(buffer, 'G', sizeof(buffer));
    std::string long259(259, 'a');
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, long259);
    EXPECT_EQ(1, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_EQ(long259, buffer);

    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, long259 + "b");
    EXPECT_EQ(0, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_STREQ("", buffer);
    for (int i = MAX_PATH; i < MAX_PATH + 8; ++i)
        EXPECT_EQ('G', buffer[i]) << "guard byte " << i;
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(Settings, StoredStringWithoutTerminatorIsTerminated)
{
    char buffer[MAX_PATH];
    memset(buffer, 'G', sizeof(buffer));
    WriteRaw(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, REG_SZ, "C:\\abc");
    EXPECT_EQ(1, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_STREQ("C:\\abc", buffer);

    WriteRaw(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, REG_SZ,
             std::string(MAX_PATH, 'x'));
    EXPECT_EQ(0, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH))
        << "260 bytes without a terminator cannot be held with one";
    EXPECT_STREQ("", buffer);
}

TEST_F(Settings, NumberStoredAsPathIsNotAPath)
{
    WriteDword(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, 0x005C3A43);  // "C:\"
    char buffer[MAX_PATH] = "garbage";
    EXPECT_EQ(0, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_STREQ("", buffer);
}

TEST_F(Settings, NullArgumentsGivePlainBoxAndTouchNoKey)
{
    BoxAnswerer answerer;
    EXPECT_EQ(0, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, NULL, MAX_PATH));
    EXPECT_EQ(0, WriteSettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, NULL));
    ASSERT_EQ(2u, answerer.boxes.size());
    ExpectBox(answerer.boxes[0], MSG_QUERY_SZ_INVALID_BUFFER, ICON_ERROR, {IDOK});
    ExpectBox(answerer.boxes[1], MSG_WRITE_SZ_INVALID_VALUE, ICON_ERROR, {IDOK});
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
}

TEST_F(Settings, WriteStringStoresTerminatedRegSz)
{
    EXPECT_EQ(1, WriteSettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, ""));
    std::string data;
    DWORD type = 0;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &data, &type));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(std::string(1, '\0'), data);

    EXPECT_EQ(1, WriteSettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, "C:\\x y"));
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, &data, &type));
    EXPECT_EQ(std::string("C:\\x y", 7), data);
}

TEST_F(Settings, DwordValues)
{
    BoxAnswerer answerer;
    EXPECT_EQ(0xFFFFFFFFu, QuerySettingDword(HKEY_CURRENT_USER, VALUE_HOTKEY)) << "missing";
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0);
    EXPECT_EQ(0u, QuerySettingDword(HKEY_CURRENT_USER, VALUE_HOTKEY));
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0xFFFFFFFF);
    EXPECT_EQ(0xFFFFFFFFu, QuerySettingDword(HKEY_CURRENT_USER, VALUE_HOTKEY));
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0x0374);
    EXPECT_EQ(0x0374u, QuerySettingDword(HKEY_CURRENT_USER, VALUE_HOTKEY));
    WriteRaw(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, REG_BINARY, "\x74\x03");
    EXPECT_EQ(0xFFFFFFFFu, QuerySettingDword(HKEY_CURRENT_USER, VALUE_HOTKEY)) << "two bytes";
    WriteString(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, "Ctrl+Alt+N");
    EXPECT_EQ(0xFFFFFFFFu, QuerySettingDword(HKEY_CURRENT_USER, VALUE_HOTKEY)) << "eleven bytes";
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(Settings, WriteRegistryValueKinds)
{
    const std::string key = COMPANY_KEY_PATH "\\Test\\Deep";
    EXPECT_EQ(1, WriteRegistryValue(HKEY_LOCAL_MACHINE, key.c_str(), NULL, "default", 7));
    std::string text;
    ASSERT_TRUE(ReadString(HKEY_LOCAL_MACHINE, key, NULL, &text)) << "text wins over number";
    EXPECT_EQ("default", text);

    EXPECT_EQ(1, WriteRegistryValue(HKEY_LOCAL_MACHINE, key.c_str(), "Number", NULL, 0x064E));
    DWORD number = 0xdeadbeef;
    ASSERT_TRUE(ReadDword(HKEY_LOCAL_MACHINE, key, "Number", &number));
    EXPECT_EQ(0x064Eu, number);
}

TEST_F(Settings, UnwritableKeyShowsSystemErrorBox)
{
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C:\\old");
    DenyKeyWrite(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
    BoxAnswerer answerer;
    EXPECT_EQ(0, WriteSettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, "C:\\new"));
    EXPECT_EQ(0, WriteRegistryValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, "X", "y", 0));
    ASSERT_EQ(1u, answerer.boxes.size()) << "WriteRegistryValue never shows a box";
    std::string system = SystemText(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(system.empty());
    ExpectBox(answerer.boxes[0], std::string(MSG_WRITE_SZ_NO_KEY) + "\r\n\r\n" + system, ICON_ERROR,
              {IDOK});

    char buffer[MAX_PATH];
    EXPECT_EQ(1, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH))
        << "reading still works";
    EXPECT_STREQ("C:\\old", buffer);
}

TEST_F(Settings, InaccessibleKeyShowsQueryBoxes)
{
    WriteString(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, "x");
    DenyKeyAll(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    BoxAnswerer answerer;
    char buffer[MAX_PATH] = "garbage";
    EXPECT_EQ(0, QuerySettingString(HKEY_CURRENT_USER, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_STREQ("garbage", buffer) << "the buffer is left as it was";
    EXPECT_EQ(0xFFFFFFFFu, QuerySettingDword(HKEY_CURRENT_USER, VALUE_HOTKEY));
    ASSERT_EQ(2u, answerer.boxes.size());
    std::string system = SystemText(ERROR_ACCESS_DENIED);
    ExpectBox(answerer.boxes[0], std::string(MSG_QUERY_SZ_NO_KEY) + "\r\n\r\n" + system, ICON_ERROR,
              {IDOK});
    ExpectBox(answerer.boxes[1], std::string(MSG_QUERY_DW_NO_KEY) + "\r\n\r\n" + system, ICON_ERROR,
              {IDOK});
}

TEST_F(Settings, SystemErrorWithoutSystemTextShowsNumber)
{
    BoxAnswerer answerer;
    SetLastError(0x2000ABCD);  // customer-defined: the system has no text for it
    ShowSystemError("Something failed.");
    ASSERT_EQ(1u, answerer.boxes.size());
    ExpectBox(answerer.boxes[0], "Something failed.\r\n\r\nError 536914893", ICON_ERROR, {IDOK});

    SetLastError(0xFFFFFFFF);  // the longest number there is
    ShowSystemError("Something failed.");
    ASSERT_EQ(2u, answerer.boxes.size());
    ExpectBox(answerer.boxes[1], "Something failed.\r\n\r\nError 4294967295", ICON_ERROR, {IDOK});
}

}  // namespace
