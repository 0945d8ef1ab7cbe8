// The distribution as shipped (<build>\dist): the files the product needs,
// and nothing that the uninstaller would not take away again.
#include <gtest/gtest.h>

#include <algorithm>

#include "installation.h"
#include "files.h"
#include "long_paths.h"
#include "process.h"
#include "product.h"

namespace {

std::string DistFolder()
{
    return TestProgramFolder() + "..\\dist";
}

bool OnInstalledFileList(const std::string &name)
{
    for (const std::string &listed : InstalledNames())
        if (lstrcmpiA(listed.c_str(), name.c_str()) == 0)
            return true;
    return false;
}

TEST(Distribution, HoldsTheShippedFiles)
{
    std::vector<std::string> names = ListFolder(DistFolder());
    std::vector<std::string> expected = {
        PRODUCT_EXE_NAME, "Settings.ico", PRODUCT_DISPLAY_NAME " Homepage.url", "chronex.htm",
        IMAGES_FOLDER_NAME, "la.txt", SETUP_EXE_NAME, UNINSTALL_EXE_NAME};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, names);
    EXPECT_TRUE(FolderExists(DistFolder() + "\\" IMAGES_FOLDER_NAME));
    EXPECT_FALSE(ListFolder(DistFolder() + "\\" IMAGES_FOLDER_NAME).empty());
    EXPECT_EQ(0u, ReadFileText(DistFolder() + "\\" PRODUCT_DISPLAY_NAME " Homepage.url")
                      .find("[InternetShortcut]\r\nURL="));
}

// Whatever setup.exe copies from the top level, the uninstaller must know by
// name (uninstall.exe has its own step); the images folder goes whole.
TEST(Distribution, EveryTopLevelFileIsOnTheInstalledFileList)
{
    for (const std::string &name : ListFolder(DistFolder())) {
        if (name == UNINSTALL_EXE_NAME || name == IMAGES_FOLDER_NAME)
            continue;
        EXPECT_TRUE(OnInstalledFileList(name)) << name;
    }
}

// Both programs declare system DPI awareness, read as the loader reads
// their manifests: Windows lays their dialogs out at the screen's density
// instead of drawing them at 96 dpi and stretching them.
TEST(Distribution, ProgramsDeclareDpiAwareness)
{
    for (const char *name : {SETUP_EXE_NAME, UNINSTALL_EXE_NAME}) {
        SCOPED_TRACE(name);
        std::string path = DistFolder() + "\\" + name;
        ACTCTXA request = {};
        request.cbSize = sizeof(request);
        request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.lpSource = path.c_str();
        request.lpResourceName = CREATEPROCESS_MANIFEST_RESOURCE_ID;
        HANDLE context = CreateActCtxA(&request);
        ASSERT_NE(INVALID_HANDLE_VALUE, context);
        WCHAR value[16] = L"garbage";
        SIZE_T written = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, context, NULL, L"dpiAware", value, 16, &written))
            << "error " << GetLastError();
        EXPECT_EQ("true", NarrowText(value));
        ReleaseActCtx(context);
    }
}

TEST(Distribution, ApplicationOpensItsWindowFromTheDistribution)
{
    Program program;
    std::string exe = DistFolder() + "\\" PRODUCT_EXE_NAME;
    ASSERT_TRUE(StartProgram("\"" + exe + "\"", DistFolder(), &program));
    HWND window = WaitForWindow(program.id, PRODUCT_WINDOW_CLASS, NULL, 10000);
    EXPECT_TRUE(window != NULL);
    if (window)
        PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, WaitForExit(program, 10000));
    EndProgram(&program);
}

}  // namespace
