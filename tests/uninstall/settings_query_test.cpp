// The uninstaller's variant of the settings string query: quiet when the key
// cannot be opened, otherwise the same as the installer's.
#include <gtest/gtest.h>

#include "msgbox.h"
#include "product.h"
#include "registry.h"
#include "settings.h"

namespace {

class QuietQuery : public ::testing::Test {
protected:
    void SetUp() override { DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH); }
    void TearDown() override
    {
        RestoreKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
        DeleteTree(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
    }
};

TEST_F(QuietQuery, ReadsStoredValue)
{
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C:\\Program Files\\V");
    char buffer[MAX_PATH] = "garbage";
    EXPECT_EQ(1, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_STREQ("C:\\Program Files\\V", buffer);
}

TEST_F(QuietQuery, InaccessibleKeyGivesNoBox)
{
    WriteString(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, VALUE_INSTALL_PATH, "C:\\x");
    DenyKeyAll(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
    BoxAnswerer answerer;
    char buffer[MAX_PATH] = "garbage";
    EXPECT_EQ(0, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_TRUE(answerer.boxes.empty());
}

TEST_F(QuietQuery, MissingKeyIsCreatedEmpty)
{
    char buffer[MAX_PATH] = "garbage";
    EXPECT_EQ(0, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, buffer, MAX_PATH));
    EXPECT_STREQ("", buffer);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
}

TEST_F(QuietQuery, NullBufferStillGivesPlainBox)
{
    BoxAnswerer answerer;
    EXPECT_EQ(0, QuerySettingString(HKEY_LOCAL_MACHINE, VALUE_INSTALL_PATH, NULL, MAX_PATH));
    ASSERT_EQ(1u, answerer.boxes.size());
    EXPECT_EQ(MSG_QUERY_SZ_INVALID_BUFFER, answerer.boxes[0].text);
    EXPECT_STREQ("error", IconKindName(answerer.boxes[0].icon));
}

}  // namespace
