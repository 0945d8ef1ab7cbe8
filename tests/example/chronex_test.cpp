// The stand-in application as the installer and a user meet it: its window
// of the product's class, what it shows, its hotkey, and its exit on
// WM_CLOSE.
#include <gtest/gtest.h>

#include "app.h"
#include "dialog_driver.h"
#include "files.h"
#include "process.h"
#include "product.h"
#include "registry.h"

namespace {

// 1 when the test may register the combination itself: nobody holds it.
bool HotkeyFree(UINT modifiers, UINT key)
{
    SetLastError(0xdeadbeef);
    if (!RegisterHotKey(NULL, 0x7001, modifiers, key))
        return false;
    UnregisterHotKey(NULL, 0x7001);
    return true;
}

class App : public ::testing::Test {
protected:
    void SetUp() override
    {
        DeleteTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
        folder_ = MakeScratchFolder("app test") + "\\My Settings";
        MakeFolders(folder_);
    }
    void TearDown() override
    {
        if (program_.process && WaitForExit(program_, 0) == STILL_ACTIVE && window_)
            PostMessageA(window_, WM_CLOSE, 0, 0);
        if (program_.process)
            WaitForExit(program_, 5000);
        EndProgram(&program_);
        DeleteTree(HKEY_CURRENT_USER, SETTINGS_KEY_PATH);
    }
    // Starts Chronex.exe in the scratch folder with the given arguments and
    // waits for its window.
    void Start(const std::string &arguments)
    {
        std::string line = "\"" + TestProgramFolder() + PRODUCT_EXE_NAME + "\"";
        if (!arguments.empty())
            line += " " + arguments;
        ASSERT_TRUE(StartProgram(line, folder_, &program_)) << line;
        window_ = WaitForWindow(program_.id, PRODUCT_WINDOW_CLASS, NULL, 10000);
        ASSERT_TRUE(window_ != NULL) << "no window of class " PRODUCT_WINDOW_CLASS;
    }
    DWORD Close()
    {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        return WaitForExit(program_, 10000);
    }
    std::string folder_;
    Program program_;
    HWND window_ = NULL;
};

TEST_F(App, ShowsFolderAndDocumentAndExitsWithZeroOnClose)
{
    // The open verb passes the document unquoted, blanks and all.
    std::string document = folder_ + "\\Evening setup.qsx";
    WriteFileText(document, "[settings]\r\n");
    Start(document);

    EXPECT_EQ(APP_TITLE_PREFIX + folder_, WindowText(window_));
    EXPECT_EQ(folder_, ItemText(window_, IDC_FOLDER));
    EXPECT_EQ(document, ItemText(window_, IDC_DOCUMENT));
    EXPECT_EQ(window_, FindWindowA(PRODUCT_WINDOW_CLASS, NULL))
        << "the installer finds the window by its class alone";
    EXPECT_EQ(0u, Close());
}

TEST_F(App, QuotedOrMissingDocument)
{
    std::string document = folder_ + "\\Quoted name.qsx";
    Start("\"" + document + "\"  ");
    EXPECT_EQ(document, ItemText(window_, IDC_DOCUMENT)) << "quotes and trailing blanks dropped";
    EXPECT_EQ(0u, Close());

    Start("");
    EXPECT_EQ("", ItemText(window_, IDC_DOCUMENT));
    EXPECT_EQ(APP_TITLE_PREFIX + folder_, WindowText(window_));
    EXPECT_EQ(0u, Close());
}

TEST_F(App, DefaultHotkeyIsCtrlAltNAndReadingCreatesNoKey)
{
    ASSERT_TRUE(HotkeyFree(MOD_CONTROL | MOD_ALT, 'N')) << "held before the start";
    Start("");
    EXPECT_EQ("Ctrl+Alt+N", ItemText(window_, IDC_HOTKEY));
    EXPECT_FALSE(HotkeyFree(MOD_CONTROL | MOD_ALT, 'N')) << "the application holds it";
    EXPECT_EQ((DWORD)ERROR_HOTKEY_ALREADY_REGISTERED, GetLastError());
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, SETTINGS_KEY_PATH));
    EXPECT_EQ(0u, Close());
    EXPECT_TRUE(HotkeyFree(MOD_CONTROL | MOD_ALT, 'N')) << "released on exit";
}

TEST_F(App, StoredHotkeyIsRegisteredWithItsModifiers)
{
    struct Case {
        DWORD stored;
        UINT modifiers;
        UINT key;
        const char *text;
    } cases[] = {
        {0x0374, MOD_CONTROL | MOD_SHIFT, VK_F5, "Ctrl+Shift+F5"},   // Ctrl+Shift+F5
        {0x0441, MOD_ALT, 'A', "Alt+A"},                             // Alt+A
        {0x0748, MOD_CONTROL | MOD_SHIFT | MOD_ALT, 'H', "Ctrl+Shift+Alt+H"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, c.stored);
        Start("");
        EXPECT_EQ(c.text, ItemText(window_, IDC_HOTKEY));
        EXPECT_FALSE(HotkeyFree(c.modifiers, c.key));
        EXPECT_TRUE(HotkeyFree(MOD_CONTROL | MOD_ALT, 'N')) << "the default is not taken as well";
        EXPECT_EQ(0u, Close());
    }
}

TEST_F(App, StoredZeroMeansNoHotkeyAndOddValuesMeanTheDefault)
{
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0);
    Start("");
    EXPECT_EQ(APP_NO_HOTKEY, ItemText(window_, IDC_HOTKEY));
    EXPECT_TRUE(HotkeyFree(MOD_CONTROL | MOD_ALT, 'N'));
    EXPECT_EQ(0u, Close());

    WriteString(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, "0374");
    Start("");
    EXPECT_EQ("Ctrl+Alt+N", ItemText(window_, IDC_HOTKEY)) << "a string value is not a hotkey";
    EXPECT_EQ(0u, Close());

    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0xFFFFFFFF);
    Start("");
    EXPECT_EQ("Ctrl+Alt+N", ItemText(window_, IDC_HOTKEY));
    EXPECT_EQ(0u, Close());
}

TEST_F(App, HotkeyTakenByAnotherProgramIsShownAsSuch)
{
    ASSERT_TRUE(RegisterHotKey(NULL, 0x7002, MOD_CONTROL | MOD_ALT, 'N'));
    Start("");
    EXPECT_EQ(std::string("Ctrl+Alt+N") + APP_HOTKEY_TAKEN, ItemText(window_, IDC_HOTKEY));
    EXPECT_EQ(0u, Close());
    UnregisterHotKey(NULL, 0x7002);
}

void Press(const std::vector<WORD> &keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

// Does not pump messages: without a window manager, Wine hands the
// foreground to the desktop when a window that lost the X focus handles
// that loss after another process took the foreground.
HWND WaitForForeground(HWND window, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (GetForegroundWindow() != window && GetTickCount() - start < timeoutMs)
        Sleep(20);
    return GetForegroundWindow();
}

TEST_F(App, HotkeyBringsTheWindowToTheFront)
{
    WriteDword(HKEY_CURRENT_USER, SETTINGS_KEY_PATH, VALUE_HOTKEY, 0x0374);
    Start("");

    HWND other = CreateWindowExA(0, "STATIC", "other window", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 0, 0, 300, 200, NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_TRUE(other != NULL);
    SetForegroundWindow(other);
    PumpMessages();
    ASSERT_EQ(other, WaitForForeground(other, 3000)) << "the test window came first";

    Press({VK_CONTROL, VK_SHIFT, VK_F5});
    EXPECT_EQ(window_, WaitForForeground(window_, 5000));
    DestroyWindow(other);
    EXPECT_EQ(0u, Close());
}

}  // namespace
