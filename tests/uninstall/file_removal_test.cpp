// Installed-file removal on scratch folders: what goes, what stays, the
// retries on uninstall.exe, the parent folder and the shell notifications.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

#include "files.h"
#include "import_hook.h"
#include "installation.h"
#include "product.h"
#include "uninstall.h"

namespace {

// Attempts to delete (DeleteFileA, or the first CreateFileA for deletion,
// the one that shares nothing) and calls of Sleep made while a RetryLog
// lives.
struct RetryLog {
    std::vector<std::string> deletes;
    std::vector<DWORD> sleeps;
    bool reallySleep = true;
};
RetryLog *g_retries;
void *g_realDeleteFile;
void *g_realCreateFile;
void *g_realSleep;

BOOL WINAPI RecordDeleteFile(LPCSTR path)
{
    if (g_retries)
        g_retries->deletes.push_back(path);
    return ((BOOL(WINAPI *)(LPCSTR))g_realDeleteFile)(path);
}

HANDLE WINAPI RecordCreateFile(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE model)
{
    if (g_retries && (access & DELETE) && !share)
        g_retries->deletes.push_back(path);
    return ((HANDLE(WINAPI *)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                              HANDLE))g_realCreateFile)(path, access, share, security, disposition,
                                                        flags, model);
}

void WINAPI RecordSleep(DWORD ms)
{
    if (g_retries) {
        g_retries->sleeps.push_back(ms);
        if (!g_retries->reallySleep)
            return;
    }
    ((void(WINAPI *)(DWORD))g_realSleep)(ms);
}

class RetryHooks {
public:
    explicit RetryHooks(RetryLog *log)
        : deleteSwap_("kernel32.dll", "DeleteFileA", (void *)RecordDeleteFile),
          createSwap_("kernel32.dll", "CreateFileA", (void *)RecordCreateFile),
          sleepSwap_("kernel32.dll", "Sleep", (void *)RecordSleep)
    {
        g_realDeleteFile = deleteSwap_.Original();
        g_realCreateFile = createSwap_.Original();
        g_realSleep = sleepSwap_.Original();
        g_retries = log;
    }
    ~RetryHooks() { g_retries = nullptr; }
    bool Active() const
    {
        return deleteSwap_.Original() && createSwap_.Original() && sleepSwap_.Original();
    }

private:
    ImportSwap deleteSwap_;
    ImportSwap createSwap_;
    ImportSwap sleepSwap_;
};

int CountOf(const std::vector<std::string> &paths, const std::string &path)
{
    int n = 0;
    for (const std::string &p : paths)
        n += p == path;
    return n;
}

int CountOf(const std::vector<DWORD> &values, DWORD value)
{
    int n = 0;
    for (DWORD v : values)
        n += v == value;
    return n;
}

class FileRemoval : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = MakeScratchFolder(
            std::string("uninstall_files_") +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { RemoveTree(root_); }

    // Everything an installation leaves: the listed files, uninstall.exe and
    // an images folder with subfolders and a read-only and a hidden file.
    static void Install(const std::string &folder)
    {
        MakeFolders(folder + "\\images\\maps\\old");
        for (const std::string &name : InstalledNames())
            WriteFileText(folder + "\\" + name, name);
        WriteFileText(folder + "\\" UNINSTALL_EXE_NAME, "MZ");
        for (const char *name : {"images\\dial.bmp", "images\\locked.bmp", "images\\hidden.bmp",
                                 "images\\maps\\world.gif", "images\\maps\\old\\1998.gif"})
            WriteFileText(folder + "\\" + name, name);
        SetFileAttributesA((folder + "\\images\\locked.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
        SetFileAttributesA((folder + "\\images\\hidden.bmp").c_str(),
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }

    static void ExpectAnnounced(const ShellNotifyLog &log, const std::vector<std::string> &folders)
    {
        ASSERT_EQ(2 * folders.size(), log.calls.size());
        for (size_t i = 0; i < folders.size(); ++i) {
            const ShellNotifyCall &removed = log.calls[2 * i];
            const ShellNotifyCall &flush = log.calls[2 * i + 1];
            EXPECT_EQ(SHCNE_RMDIR, removed.event);
            EXPECT_EQ((UINT)SHCNF_PATHA, removed.flags);
            EXPECT_EQ(folders[i], removed.path1);
            EXPECT_EQ("", removed.path2);
            EXPECT_EQ(0, flush.event);
            EXPECT_EQ((UINT)SHCNF_FLUSH, flush.flags);
        }
    }

    std::string root_;
};

TEST_F(FileRemoval, InstallationGoesCompletelyAndIsAnnounced)
{
    std::string folder = root_ + "\\Programs\\Velkor Chronex";
    Install(folder);
    ShellNotifyLog log;
    RemoveInstalledFiles(folder.c_str());

    EXPECT_FALSE(FolderExists(folder));
    ExpectAnnounced(log, {folder + "\\images\\", folder});
    EXPECT_TRUE(FolderExists(root_ + "\\Programs")) << "a parent without the company name stays";
}

// Installed from read-only media, the copies are read-only: they go all the
// same.
TEST_F(FileRemoval, UserFilesStayAndReadOnlyListedFilesGo)
{
    std::string folder = root_ + "\\Velkor Chronex";
    Install(folder);
    WriteFileText(folder + "\\my alarms.txt", "mine");
    // A folder of the user's under a listed file's name is no file of ours.
    ASSERT_TRUE(DeleteFileA((folder + "\\history.txt").c_str()));
    MakeFolders(folder + "\\history.txt");
    for (const char *name : {"\\la.txt", "\\" UNINSTALL_EXE_NAME})
        SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_READONLY);
    ShellNotifyLog log;
    EXPECT_EQ(0, RemoveInstalledFiles(folder.c_str())) << "nothing left for a restart";

    std::vector<std::string> left = {"history.txt", "my alarms.txt"};
    EXPECT_EQ(left, ListFolder(folder)) << "listed files, images and uninstall.exe are gone";
    ExpectAnnounced(log, {folder + "\\images\\", folder});
}

TEST_F(FileRemoval, FileInUseInsideImagesKeepsTheFolders)
{
    std::string folder = root_ + "\\Velkor Software\\Chronex";
    Install(folder);
    {
        FileLock lock(folder + "\\images\\maps\\world.gif");
        ASSERT_TRUE(lock.Held());
        RemoveInstalledFiles(folder.c_str());
    }
    EXPECT_EQ(std::vector<std::string>{"images"}, ListFolder(folder));
    EXPECT_EQ(std::vector<std::string>{"maps"}, ListFolder(folder + "\\images"));
    EXPECT_EQ(std::vector<std::string>{"world.gif"}, ListFolder(folder + "\\images\\maps"));
    EXPECT_TRUE(FolderExists(root_ + "\\Velkor Software"));
}

// Held open by a program that lets others delete it, a file goes with the
// last handle; while its name is there, it counts as staying for the next
// restart.
TEST_F(FileRemoval, FileOpenWithDeleteSharingIsNotTakenForGone)
{
    std::string folder = root_ + "\\Velkor Chronex";
    std::string held = folder + "\\images\\dial.bmp";
    Install(folder);
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    int deferred = RemoveInstalledFiles(folder.c_str());
    bool stillThere = GetFileAttributesA(held.c_str()) != INVALID_FILE_ATTRIBUTES;
    CloseHandle(holder);
    EXPECT_TRUE(deferred || !stillThere) << "a name still there was reported gone";
    EXPECT_FALSE(FileExists(held));
}

TEST_F(FileRemoval, CompanyParentFolderGoesOnlyWithExactCaseAndWhenEmpty)
{
    struct Case {
        const char *parent;
        const char *sibling;  // another entry in the parent, or NULL
        bool parentRemoved;
    } cases[] = {
        {"Velkor Software", NULL, true},
        {"Old\\Velkor Software\\Tools", NULL, true},
        {"velkor software", NULL, false},
        {"VELKOR SOFTWARE", NULL, false},
        {"Velkor Software", "Tallyfox", false},
    };
    for (const Case &c : cases) {
        std::string parent = root_ + "\\" + c.parent;
        std::string folder = parent + "\\Chronex";
        Install(folder);
        if (c.sibling)
            MakeFolders(parent + "\\" + c.sibling);
        RemoveInstalledFiles(folder.c_str());
        EXPECT_FALSE(FolderExists(folder)) << c.parent;
        EXPECT_EQ(!c.parentRemoved, FolderExists(parent)) << c.parent;
        RemoveTree(root_);
        MakeFolders(root_);
    }
}

TEST_F(FileRemoval, UninstallerAlreadyGoneTakesOneAttempt)
{
    std::string folder = root_ + "\\Velkor Chronex";
    Install(folder);
    DeleteFileA((folder + "\\" UNINSTALL_EXE_NAME).c_str());
    RetryLog log;
    {
        RetryHooks hooks(&log);
        ASSERT_TRUE(hooks.Active());
        RemoveInstalledFiles(folder.c_str());
    }
    EXPECT_EQ(1, CountOf(log.deletes, folder + "\\" UNINSTALL_EXE_NAME));
    EXPECT_EQ(0, CountOf(log.sleeps, UNINSTALLER_RETRY_PAUSE_MS));
    EXPECT_FALSE(FolderExists(folder));
}

DWORD WINAPI ReleaseLater(void *lock)
{
    // Runs beside the retries; WaitForSingleObject keeps it out of the Sleep log.
    HANDLE never = CreateEventA(NULL, TRUE, FALSE, NULL);
    WaitForSingleObject(never, 1000);
    CloseHandle(never);
    delete (FileLock *)lock;
    return 0;
}

TEST_F(FileRemoval, UninstallerLockedForAboutASecondIsDeletedAtALaterAttempt)
{
    std::string folder = root_ + "\\Velkor Chronex";
    std::string uninstaller = folder + "\\" UNINSTALL_EXE_NAME;
    Install(folder);
    FileLock *lock = new FileLock(uninstaller);
    ASSERT_TRUE(lock->Held());
    RetryLog log;
    {
        RetryHooks hooks(&log);
        ASSERT_TRUE(hooks.Active());
        HANDLE releaser = CreateThread(NULL, 0, ReleaseLater, lock, 0, NULL);
        RemoveInstalledFiles(folder.c_str());
        WaitForSingleObject(releaser, INFINITE);
        CloseHandle(releaser);
    }
    int attempts = CountOf(log.deletes, uninstaller);
    EXPECT_GT(attempts, 1);
    EXPECT_LT(attempts, UNINSTALLER_DELETE_ATTEMPTS);
    EXPECT_EQ(attempts - 1, CountOf(log.sleeps, UNINSTALLER_RETRY_PAUSE_MS));
    EXPECT_FALSE(FileExists(uninstaller));
    EXPECT_FALSE(FolderExists(folder));
}

TEST_F(FileRemoval, UninstallerLockedThroughoutGivesUpAfter51AttemptsAndAMissingFolderAfterOne)
{
    std::string folder = root_ + "\\Velkor Chronex";
    std::string uninstaller = folder + "\\" UNINSTALL_EXE_NAME;
    Install(folder);
    for (bool locked : {true, false}) {
        std::string target = locked ? folder : root_ + "\\Missing";
        std::string path = target + "\\" UNINSTALL_EXE_NAME;
        RetryLog log;
        log.reallySleep = false;
        {
            FileLock lock(uninstaller);
            ASSERT_TRUE(lock.Held());
            RetryHooks hooks(&log);
            ASSERT_TRUE(hooks.Active());
            RemoveInstalledFiles(target.c_str());
        }
        SCOPED_TRACE(target);
        // A file that is not there at all is not waited for.
        EXPECT_EQ(locked ? 51 : 1, CountOf(log.deletes, path));
        EXPECT_EQ(locked ? 50 : 0, CountOf(log.sleeps, UNINSTALLER_RETRY_PAUSE_MS));
        EXPECT_EQ(locked ? 50u : 0u, log.sleeps.size());
    }
    EXPECT_TRUE(FileExists(uninstaller));
}

TEST_F(FileRemoval, FolderLinkInsideImagesIsNotFollowed)
{
    std::string folder = root_ + "\\Velkor Chronex";
    std::string outside = root_ + "\\Outside";
    Install(folder);
    MakeFolders(outside + "\\deeper");
    WriteFileText(outside + "\\keep.txt", "keep");
    WriteFileText(outside + "\\deeper\\keep2.txt", "keep");

    std::string link = folder + "\\images\\maps\\shortcut";
    ASSERT_TRUE(MakeFolderLink(link, outside)) << "Wine makes folder links from Unix links";
    DWORD attributes = GetFileAttributesA(link.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    ASSERT_TRUE(attributes & FILE_ATTRIBUTE_REPARSE_POINT);

    RemoveInstalledFiles(folder.c_str());

    EXPECT_EQ("keep", ReadFileText(outside + "\\keep.txt"));
    EXPECT_EQ("keep", ReadFileText(outside + "\\deeper\\keep2.txt"));
    EXPECT_FALSE(FileExists(folder + "\\images\\dial.bmp"));
    EXPECT_FALSE(FileExists(folder + "\\images\\maps\\world.gif"));
}

TEST_F(FileRemoval, PathsNearTheLimitAreSkippedNotOverflowed)
{
    // 245 characters: listed names up to 13 characters, images and its
    // entries still fit in 260.
    std::string folder = root_ + "\\" + std::string(245 - root_.size() - 1, 'n');
    ASSERT_EQ(245u, folder.size());
    MakeFolders(folder + "\\images");
    WriteFileText(folder + "\\" PRODUCT_EXE_NAME, "x");
    WriteFileText(folder + "\\images\\a.gif", "x");
    WriteFileText(folder + "\\" UNINSTALL_EXE_NAME, "x");
    {
        ShellNotifyLog log;
        RemoveInstalledFiles(folder.c_str());
        ExpectAnnounced(log, {folder + "\\images\\", folder});
    }
    EXPECT_FALSE(FolderExists(folder));

    // 259 characters: nothing fits behind it; only the folder is announced.
    std::string longest = root_ + "\\" + std::string(259 - root_.size() - 1, 'm');
    RetryLog retries;
    ShellNotifyLog log;
    {
        RetryHooks hooks(&retries);
        ASSERT_TRUE(hooks.Active());
        RemoveInstalledFiles(longest.c_str());
    }
    for (const std::string &path : retries.deletes)
        EXPECT_NE(0u, path.find(longest)) << path;
    EXPECT_TRUE(retries.sleeps.empty());
    ExpectAnnounced(log, {longest});
}

}  // namespace
