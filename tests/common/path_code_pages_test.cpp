// Text converted into a code page exactly or not at all: never a look-alike
// or "?" for a letter the code page lacks, and UTF-8, which takes neither
// the no-best-fit flag nor the question whether a default was used, holds
// every letter.
#include <gtest/gtest.h>

#include <string>

#include "import_hook.h"
#include "path_code_pages.h"

namespace {

void *g_realConvert;

// Windows refuses UTF-8 with the no-best-fit flag or the question whether
// a default was used (ERROR_INVALID_FLAGS, ERROR_INVALID_PARAMETER); Wine
// takes both, and the test gives it Windows's rule.
int WINAPI ConvertAsWindows(UINT codePage, DWORD flags, LPCWCH wide, int wideLength, LPSTR text,
                            int cap, LPCCH defaultChar, LPBOOL usedDefault)
{
    if (codePage == CP_UTF8 && (flags || defaultChar || usedDefault)) {
        SetLastError(flags ? ERROR_INVALID_FLAGS : ERROR_INVALID_PARAMETER);
        return 0;
    }
    return ((int(WINAPI *)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH, LPBOOL))g_realConvert)(
        codePage, flags, wide, wideLength, text, cap, defaultChar, usedDefault);
}

TEST(PathCodePages, ExactlyOrNotAtAll)
{
    struct Case {
        UINT codePage;
        const wchar_t *wide;
        size_t cap;
        const char *expected;  // NULL: refused, the buffer emptied
    } cases[] = {
        {1252, L"C:\\Jos\x00e9\\Temp", MAX_PATH, "C:\\Jos\xe9\\Temp"},
        {1252, L"C:\\\x0141\x00f3" L"d\x017a", MAX_PATH, NULL},
        {1252, L"C:\\Temp", 7, NULL},
        {932, L"C:\\\x30bd", MAX_PATH, "C:\\\x83\x5c"},
        {CP_UTF8, L"C:\\\x0141\x00f3" L"d\x017a", MAX_PATH, "C:\\\xc5\x81\xc3\xb3" "d\xc5\xba"},
    };
    ImportSwap swap("kernel32.dll", "WideCharToMultiByte", (void *)ConvertAsWindows);
    g_realConvert = swap.Original();
    ASSERT_TRUE(g_realConvert);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.codePage);
        char text[MAX_PATH];
        memset(text, 'x', sizeof(text));
        EXPECT_EQ(c.expected ? 1 : 0, WideToCodePage(c.codePage, c.wide, text, c.cap));
        EXPECT_EQ(std::string(c.expected ? c.expected : ""), std::string(text));
    }
}

}  // namespace
