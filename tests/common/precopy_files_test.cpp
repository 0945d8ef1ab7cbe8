// The installer's pre-copy deletion list: the kind of each name in its
// position, no folder in any name, no name twice in any letter case, none of
// this product's files, and each tool's help page before its program.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "installation.h"

namespace {

std::string Extension(const std::string &name)
{
    return name.substr(name.rfind('.'));
}

std::string BaseName(const std::string &name)
{
    return name.substr(0, name.rfind('.'));
}

// Help pages, executables and internet shortcuts in their fixed positions;
// four help pages are followed by the executable of the same tool.
TEST(PreCopyList, HasTheKindsInTheirPositionsAndFourPairs)
{
    const char *kinds[] = {".htm", ".htm", ".htm", ".exe", ".htm", ".exe", ".url",
                           ".url", ".exe", ".htm", ".exe", ".htm", ".exe"};
    std::vector<std::string> names = PreCopyNames();
    ASSERT_EQ(13u, names.size());
    std::set<std::string> folded;
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(kinds[i], Extension(names[i])) << "position " << i + 1 << ": " << names[i];
        EXPECT_EQ(std::string::npos, names[i].find('\\')) << names[i];
        std::string lower = names[i];
        CharLowerA(&lower[0]);
        EXPECT_TRUE(folded.insert(lower).second) << "twice: " << names[i];
        EXPECT_EQ(std::string::npos, lower.find("chronex")) << "not this product's file";
    }
    for (int first : {3, 5, 10, 12}) {
        std::string help = BaseName(names[first - 1]);
        std::string program = BaseName(names[first]);
        EXPECT_EQ(0, lstrcmpiA(help.c_str(), program.c_str())) << help << " / " << program;
    }
}

}  // namespace
