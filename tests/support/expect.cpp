// Shared checks, reported at the caller's line.
#include "expect.h"

#include <gtest/gtest.h>

#include "product.h"
#include "registry.h"

void ExpectBox(const BoxRecord &box, const char *text, int icon, const std::vector<int> &buttons,
               const char *file, int line)
{
    ::testing::ScopedTrace trace(file, line, "message box checked here");
    if (text) {
        EXPECT_EQ(text, box.text);
    }
    EXPECT_EQ(PRODUCT_DISPLAY_NAME, box.caption);
    EXPECT_STREQ(IconKindName(icon), IconKindName(box.icon));
    EXPECT_EQ(buttons, box.buttons);
}

void ExpectBox(const BoxRecord &box, const std::string &text, int icon,
               const std::vector<int> &buttons, const char *file, int line)
{
    ExpectBox(box, text.c_str(), icon, buttons, file, line);
}

void ExpectRegistryValues(const std::vector<RegistryValue> &values, const char *file, int line)
{
    ::testing::ScopedTrace trace(file, line, "registry values checked here");
    for (const RegistryValue &v : values) {
        std::string where = std::string(v.root == HKEY_CLASSES_ROOT ? "HKCR\\" : "HKLM\\") +
                            v.key + " " + (v.value ? v.value : "(default)");
        if (v.type == REG_DWORD) {
            DWORD number = 0xDEADBEEF;
            EXPECT_TRUE(ReadDword(v.root, v.key, v.value, &number)) << where;
            EXPECT_EQ(v.data, std::to_string(number)) << where;
            continue;
        }
        EXPECT_EQ(std::string(v.data.c_str(), v.data.size() + 1),
                  RawString(v.root, v.key, v.value))
            << where;
    }
}

void ExpectOnlyDocumentTypeLeft(const std::map<std::string, std::string> &before,
                                const std::map<std::string, std::string> &after,
                                const char *file, int line)
{
    ::testing::ScopedTrace trace(file, line, "machine compared here");
    for (const auto &entry : before) {
        auto found = after.find(entry.first);
        std::string now = found == after.end() ? "<not taken>" : found->second;
        if (entry.first == "document extension" || entry.first == "document type") {
            EXPECT_NE("<missing>", now) << entry.first << " stays";
            continue;
        }
        EXPECT_EQ(entry.second, now) << entry.first;
    }
}
