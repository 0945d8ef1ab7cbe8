// Machine and folder-tree snapshots.
#include "snapshot.h"

#include "files.h"
#include "long_paths.h"
#include "machine.h"
#include "product.h"
#include "registry.h"

namespace {

std::string Hex(const std::string &bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char c : bytes) {
        text += digits[c >> 4];
        text += digits[c & 15];
    }
    return text;
}

void Walk(const std::string &folder, std::vector<TreeEntry> *entries)
{
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((LongPathW(folder) + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = NarrowText(entry.cFileName);
        if (name == "." || name == "..")
            continue;
        std::string path = folder + "\\" + name;
        entries->push_back({path, entry.dwFileAttributes, entry.nFileSizeLow,
                            entry.ftLastWriteTime.dwLowDateTime});
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            Walk(path, entries);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

// The paths below folder, one a line, without sizes or times.
std::string ListTree(const std::string &folder)
{
    std::string listing;
    for (const auto &entry : SnapshotTree(folder))
        listing += entry.first + "\n";
    return listing;
}

}  // namespace

std::string DescribeKey(HKEY root, const std::string &path)
{
    std::string dump;
    KeyVisitor visitor;
    visitor.value = [&](const std::string &, const char *name, DWORD type,
                        const std::string &data) {
        dump += std::string(name) + "=" + std::to_string(type) + ":" + Hex(data) + "\n";
    };
    visitor.subkey = [&](const std::string &key) {
        dump += "[" + key.substr(key.rfind('\\') + 1) + "]\n";
    };
    return WalkKey(root, path, visitor) ? dump : "<missing>";
}

std::map<std::string, std::string> MachineSnapshot(const std::string &installRoot)
{
    std::map<std::string, std::string> snapshot;
    snapshot["HKCU company key"] = DescribeKey(HKEY_CURRENT_USER, COMPANY_KEY_PATH);
    snapshot["HKLM company key"] = DescribeKey(HKEY_LOCAL_MACHINE, COMPANY_KEY_PATH);
    snapshot["uninstall entry"] = DescribeKey(HKEY_LOCAL_MACHINE, UNINSTALL_ENTRY_PATH);
    snapshot["App Paths entry"] =
        DescribeKey(HKEY_LOCAL_MACHINE, APP_PATHS_KEY_PATH "\\" PRODUCT_EXE_NAME);
    snapshot["document extension"] = DescribeKey(HKEY_CLASSES_ROOT, DOCUMENT_EXTENSION);
    snapshot["document type"] = DescribeKey(HKEY_CLASSES_ROOT, DOCUMENT_TYPE_NAME);
    // Only the shortcut folders' own entries: under Wine the desktop is the
    // Unix home, where the desktop integration keeps menu files of its own.
    for (int csidl : kShortcutFolders) {
        std::string listing;
        for (const std::string &name : ListFolder(SpecialFolder(csidl)))
            listing += name + "\n";
        snapshot["folder " + SpecialFolder(csidl)] = listing;
    }
    std::string temp = TemporaryFolder();
    temp.pop_back();
    snapshot["temporary folder"] = ListTree(temp);
    snapshot["install root"] = FolderExists(installRoot) ? ListTree(installRoot) : "<missing>";
    return snapshot;
}

std::vector<TreeEntry> WalkTree(const std::string &root)
{
    std::vector<TreeEntry> entries;
    Walk(root, &entries);
    return entries;
}

TreeSnapshot SnapshotTree(const std::string &root)
{
    TreeSnapshot snapshot;
    for (const TreeEntry &entry : WalkTree(root)) {
        char facts[64];
        wsprintfA(facts, "%lx %lu %lx", entry.attributes, entry.size, entry.writeTime);
        snapshot[entry.path] = facts;
    }
    return snapshot;
}

std::vector<std::string> TreeChanges(const TreeSnapshot &before, const TreeSnapshot &after,
                                     const std::string &skip)
{
    std::vector<std::string> changes;
    auto skipped = [&](const std::string &path) {
        return !skip.empty() && path.compare(0, skip.size(), skip) == 0;
    };
    for (const auto &entry : before) {
        auto found = after.find(entry.first);
        if (skipped(entry.first))
            continue;
        if (found == after.end())
            changes.push_back("removed " + entry.first);
        else if (found->second != entry.second)
            changes.push_back("changed " + entry.first);
    }
    for (const auto &entry : after)
        if (!skipped(entry.first) && !before.count(entry.first))
            changes.push_back("added " + entry.first);
    return changes;
}
