// The file system seam on Windows: wide (UTF-16) calls, paths in UTF-8 inside the program.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "backup/file_system.h"
#include "backup/path_helpers.h"
#include "common/win32_text.h"

namespace tarnwick {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000LL;
constexpr std::size_t kChunkBytes = 8 * 1024 * 1024;

// Paths longer than the classic limit need the "\\?\" form, which takes full paths only.
std::wstring WidePath(const std::string& path) {
    std::wstring wide = Widen(path);
    if (wide.size() >= MAX_PATH - 12 && wide.size() > 2 && wide[1] == L':') {
        wide.insert(0, L"\\\\?\\");
    }
    return wide;
}

FileTime FromFiletime(const FILETIME& time) {
    ULARGE_INTEGER ticks;
    ticks.LowPart = time.dwLowDateTime;
    ticks.HighPart = time.dwHighDateTime;
    const std::int64_t since1970 = static_cast<std::int64_t>(ticks.QuadPart) - kTicksFrom1601To1970;
    std::int64_t seconds = since1970 / kTicksPerSecond;
    std::int64_t rest = since1970 % kTicksPerSecond;
    if (rest < 0) {
        --seconds;
        rest += kTicksPerSecond;
    }
    return {seconds, static_cast<std::int32_t>(rest * 100)};
}

EntryInfo InfoFrom(DWORD attributes, const FILETIME& modified, DWORD sizeHigh, DWORD sizeLow) {
    EntryInfo info;
    info.kind = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? EntryKind::Folder : EntryKind::File;
    info.modified = FromFiletime(modified);
    info.size = (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
    info.hiddenOrSystem = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    return info;
}

// A folder's identity (volume and file index), so that a junction back into a folder the walk
// is inside can be told apart. Opening the folder costs a call, so only folders get one.
void AddFolderIdentity(const std::wstring& path, EntryInfo& info) {
    HANDLE folder = CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) {
        return;
    }
    BY_HANDLE_FILE_INFORMATION details;
    if (GetFileInformationByHandle(folder, &details)) {
        info.device = details.dwVolumeSerialNumber;
        info.inode =
            (static_cast<std::uint64_t>(details.nFileIndexHigh) << 32) | details.nFileIndexLow;
    }
    CloseHandle(folder);
}

std::wstring UpperCase(std::wstring text) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// A path that does not exist reads as gone rather than failed.
Status FailureOf(DWORD error) {
    const std::string reason = SystemErrorText(error);
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Status::Gone(reason)
                                                                          : Status::Failed(reason);
}

bool SameSizeAndTime(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
    return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0;
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() { close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool close() {
        const bool closed = !valid() || CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

class Win32FolderListing final : public FolderListing {
  public:
    Win32FolderListing(std::wstring folder, HANDLE find, const WIN32_FIND_DATAW& first)
        : folder_(std::move(folder)), find_(find), data_(first) {}
    ~Win32FolderListing() override { FindClose(find_); }

    bool next(ListedEntry& entry) override {
        while (pending_ || FindNextFileW(find_, &data_)) {
            pending_ = false;
            const std::wstring name = data_.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            entry.name = Narrow(name);
            EntryInfo info = InfoFrom(data_.dwFileAttributes, data_.ftLastWriteTime,
                                      data_.nFileSizeHigh, data_.nFileSizeLow);
            if (info.kind == EntryKind::Folder) {
                AddFolderIdentity(folder_ + name, info);
            }
            entry.info = info;
            return true;
        }
        return false;
    }

  private:
    std::wstring folder_;  // with its trailing separator
    HANDLE find_;
    WIN32_FIND_DATAW data_;
    bool pending_ = true;
};

std::wstring FolderOf(const std::wstring& path) {
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

// A fresh temporary file beside the target, with a short name of its own.
HANDLE CreateTemporaryFile(const std::wstring& folder, std::wstring& path) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = folder + L".tarnwick-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(counter++) + L".tmp";
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return file;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

// What becomes of the replaced file's own attributes, access rights and owner.
enum class OldFile { Dropped, Kept };

// Moves the finished temporary file over the target. A read-only old file would refuse to be
// replaced, so its read-only attribute goes first. A kept old file lends the new one its
// attributes, access rights and owner (ReplaceFileW), as a task file must keep them.
bool ReplaceWith(const std::wstring& temporary, const std::wstring& target, OldFile oldFile) {
    const DWORD old = GetFileAttributesW(target.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesW(target.c_str(), old & ~FILE_ATTRIBUTE_READONLY);
    }
    const bool keep = oldFile == OldFile::Kept && old != INVALID_FILE_ATTRIBUTES;
    if (keep ? ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                            REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS,
                            nullptr, nullptr)
             : MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (keep) {
            SetFileAttributesW(target.c_str(), old);
        }
        return true;
    }
    const DWORD error = GetLastError();
    if (old != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesW(target.c_str(), old);
    }
    SetLastError(error);
    return false;
}

// The file a path leads to once every symbolic link and junction on the way is followed, so that
// a save through a link replaces the file and keeps the link. A path that leads nowhere yet (a
// first save) is its own.
std::wstring FinalPath(const std::wstring& path) {
    Handle file(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) {
        return path;
    }
    std::wstring final(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file.get(), final.data(),
                                             static_cast<DWORD>(final.size()), VOLUME_NAME_DOS);
    if (length >= final.size()) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(file.get(), final.data(),
                                           static_cast<DWORD>(final.size()), VOLUME_NAME_DOS);
    }
    if (length == 0 || length >= final.size()) {
        return path;
    }
    final.resize(length);
    return final;
}

CopyResult Failed() {
    return {CopyOutcome::Failed, SystemErrorText(GetLastError())};
}

CopyResult CopyFileTo(const std::string& source, const std::string& target,
                      const CopyProgress& keepGoing) {
    Handle in(CreateFileW(WidePath(source).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    BY_HANDLE_FILE_INFORMATION details;
    if (!in.valid() || !GetFileInformationByHandle(in.get(), &details)) {
        return Failed();
    }
    const std::wstring wideTarget = WidePath(target);
    std::wstring temporary;
    Handle out(CreateTemporaryFile(FolderOf(wideTarget), temporary));
    if (!out.valid()) {
        return Failed();
    }
    auto abandon = [&](CopyResult result) {
        out.close();
        DeleteFileW(temporary.c_str());
        return result;
    };
    std::vector<char> buffer(1024 * 1024);
    std::size_t sinceAsked = 0;
    while (true) {
        DWORD read = 0;
        if (!ReadFile(in.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
            return abandon(Failed());
        }
        if (read == 0) {
            break;
        }
        DWORD written = 0;
        if (!WriteFile(out.get(), buffer.data(), read, &written, nullptr) || written != read) {
            return abandon(Failed());
        }
        sinceAsked += read;
        if (sinceAsked >= kChunkBytes) {
            sinceAsked = 0;
            if (!keepGoing()) {
                return abandon({CopyOutcome::Stopped, {}});
            }
        }
    }
    // A source written to while it was read would leave a copy of mixed bytes stamped as
    // current; it is discarded, and the caller may try again.
    BY_HANDLE_FILE_INFORMATION after;
    if (!GetFileInformationByHandle(in.get(), &after) || !SameSizeAndTime(details, after)) {
        return abandon({CopyOutcome::Changed, {}});
    }
    if (!SetFileTime(out.get(), &details.ftCreationTime, nullptr, &details.ftLastWriteTime) ||
        !out.close()) {
        return abandon(Failed());
    }
    if (!ReplaceWith(temporary, wideTarget, OldFile::Dropped)) {
        return abandon(Failed());
    }
    constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    SetFileAttributesW(wideTarget.c_str(), details.dwFileAttributes & kKept);
    return {CopyOutcome::Copied, {}};
}

std::optional<EntryInfo> ReadAttributes(const std::string& path, Status& why) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    const std::wstring wide = WidePath(path);
    if (path.empty() || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) {
        why = FailureOf(path.empty() ? ERROR_PATH_NOT_FOUND : GetLastError());
        return std::nullopt;
    }
    EntryInfo info = InfoFrom(data.dwFileAttributes, data.ftLastWriteTime, data.nFileSizeHigh,
                              data.nFileSizeLow);
    if (info.kind == EntryKind::Folder) {
        AddFolderIdentity(wide, info);
    }
    return info;
}

std::unique_ptr<FolderListing> OpenListing(const std::string& folder, Status& why) {
    std::wstring wide = WidePath(folder);
    if (!wide.empty() && wide.back() != L'\\') {
        wide.push_back(L'\\');
    }
    WIN32_FIND_DATAW first;
    HANDLE find = FindFirstFileExW((wide + L"*").c_str(), FindExInfoBasic, &first,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        why = FailureOf(GetLastError());
        return nullptr;
    }
    return std::make_unique<Win32FolderListing>(std::move(wide), find, first);
}

bool ProcessRuns(unsigned long id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) {
        return GetLastError() != ERROR_INVALID_PARAMETER;  // no such process
    }
    const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return running;
}

// An open folder is its full path here: junctions and directory links are walked as folders, as
// the program always did, and the walk's identity checks keep them from looping.
class Win32Folder final : public OpenFolder {
  public:
    explicit Win32Folder(std::string path) : path_(std::move(path)) {}

    std::optional<EntryInfo> info() override {
        Status ignored = Status::Ok();
        return ReadAttributes(path_, ignored);
    }
    std::unique_ptr<FolderListing> list(Status& why) override { return OpenListing(path_, why); }
    std::optional<EntryInfo> entry(const std::string& name, Status& why) override {
        return ReadAttributes(path_ + name, why);
    }
    std::vector<std::optional<EntryInfo>> entries(const std::vector<std::string>& names) override {
        std::vector<std::optional<EntryInfo>> found(names.size());
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileExW(WidePath(path_ + "*").c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE) {  // an empty drive root lists nothing, not even "."
            for (std::size_t index = 0; index < names.size(); ++index) {
                Status ignored = Status::Ok();
                found[index] = ReadAttributes(path_ + names[index], ignored);
            }
            return found;
        }
        // Names are compared as the file system does: without regard to letter case.
        std::unordered_map<std::wstring, std::size_t> wanted;
        for (std::size_t index = 0; index < names.size(); ++index) {
            wanted.emplace(UpperCase(Widen(names[index])), index);
        }
        do {
            if (const auto it = wanted.find(UpperCase(data.cFileName)); it != wanted.end()) {
                found[it->second] = InfoFrom(data.dwFileAttributes, data.ftLastWriteTime,
                                             data.nFileSizeHigh, data.nFileSizeLow);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return found;
    }
    std::unique_ptr<OpenFolder> open(const std::string& name, Status& why) override {
        const auto found = ReadAttributes(path_ + name, why);
        if (!found || found->kind != EntryKind::Folder) {
            if (found) {
                why = Status::Failed(SystemErrorText(ERROR_DIRECTORY));
            }
            return nullptr;
        }
        return std::make_unique<Win32Folder>(path_ + name + "\\");
    }
    void removeLeftovers() override {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileExW(WidePath(path_ + ".tarnwick-*.tmp").c_str(), FindExInfoBasic,
                                       &found, FindExSearchNameMatch, nullptr, 0);
        if (find == INVALID_HANDLE_VALUE) {
            return;
        }
        do {
            const std::string name = Narrow(found.cFileName);
            const auto owner = TemporaryFileOwner(name);
            if (owner && *owner != GetCurrentProcessId() && !ProcessRuns(*owner)) {
                DeleteFileW(WidePath(path_ + name).c_str());
            }
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }

    // A copy takes its source's attributes (see CopyFileTo); folders are made plain.
    Status setAccess(const std::string&, const EntryInfo&) override { return Status::Ok(); }
    Status makeFolder(const std::string& name) override {
        if (CreateDirectoryW(WidePath(path_ + name).c_str(), nullptr)) {
            return Status::Ok();
        }
        const DWORD error = GetLastError();
        Status ignored = Status::Ok();
        const auto found = ReadAttributes(path_ + name, ignored);
        if (error == ERROR_ALREADY_EXISTS && found && found->kind == EntryKind::Folder) {
            return Status::Ok();  // another pass made it first
        }
        return Status::Failed(SystemErrorText(error));
    }
    CopyResult copyIn(OpenFolder& source, const std::string& name,
                      const CopyProgress& keepGoing) override {
        return CopyFileTo(static_cast<Win32Folder&>(source).path_ + name, path_ + name, keepGoing);
    }

  private:
    std::string path_;  // with its trailing separator
};

// Saves take turns through one mutex of the login, held from reading the file to replacing it:
// the file itself cannot stay locked, since a save replaces it by a rename that an open handle
// would refuse. A mutex named after the file would not do: while a save replaces the file, a link
// to it may lead nowhere, so a save through the link could not learn the name. Saves of task
// files are few and short enough to wait for each other whatever file they write.
class Win32FileLock final : public FileLock {
  public:
    explicit Win32FileLock(HANDLE mutex) : mutex_(mutex) {}
    ~Win32FileLock() override {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }

  private:
    HANDLE mutex_;
};

class Win32FileSystem final : public FileSystem {
  public:
    std::unique_ptr<FolderListing> openListing(const std::string& folder, Status& why) override {
        return OpenListing(folder, why);
    }

    std::optional<EntryInfo> readAttributes(const std::string& path, Status& why) override {
        return ReadAttributes(path, why);
    }

    std::unique_ptr<OpenFolder> openFolder(const std::string& path, Status& why) override {
        const auto found = ReadAttributes(path, why);
        if (!found || found->kind != EntryKind::Folder) {
            if (found) {
                why = Status::Gone(SystemErrorText(ERROR_DIRECTORY));
            }
            return nullptr;
        }
        std::string folder = path;
        if (folder.back() != '\\') {
            folder.push_back('\\');
        }
        return std::make_unique<Win32Folder>(std::move(folder));
    }

    // Under Wine, where each call goes through its server, the workers made a pass slower, and
    // no Windows machine has measured them yet: the walk reads each folder at its turn.
    bool readsAhead() const override { return false; }

    bool hasTwoSecondTimes(const std::string& path) override {
        wchar_t volume[MAX_PATH + 1];
        wchar_t fileSystem[MAX_PATH + 1];
        if (!GetVolumePathNameW(WidePath(path).c_str(), volume, MAX_PATH + 1) ||
            !GetVolumeInformationW(volume, nullptr, 0, nullptr, nullptr, nullptr, fileSystem,
                                   MAX_PATH + 1)) {
            return false;
        }
        const std::wstring name = fileSystem;
        return name == L"FAT" || name == L"FAT32";
    }

    Status createFolder(const std::string& path) override {
        if (!CreateDirectoryW(WidePath(path).c_str(), nullptr)) {
            return Status::Failed(SystemErrorText(GetLastError()));
        }
        return Status::Ok();
    }

    std::optional<std::string> readFile(const std::string& path, std::string& reason) override {
        Handle in(CreateFileW(WidePath(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                              OPEN_EXISTING, 0, nullptr));
        if (!in.valid()) {
            reason = SystemErrorText(GetLastError());
            return std::nullopt;
        }
        std::string bytes;
        char buffer[65536];
        while (true) {
            DWORD read = 0;
            if (!ReadFile(in.get(), buffer, sizeof buffer, &read, nullptr)) {
                reason = SystemErrorText(GetLastError());
                return std::nullopt;
            }
            if (read == 0) {
                return bytes;
            }
            bytes.append(buffer, read);
        }
    }

    Status replaceFile(const std::string& path, const std::string& bytes) override {
        const std::wstring target = FinalPath(WidePath(path));
        std::wstring temporary;
        Handle out(CreateTemporaryFile(FolderOf(target), temporary));
        if (!out.valid()) {
            return Status::Failed(SystemErrorText(GetLastError()));
        }
        DWORD written = 0;
        const bool ok = WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                  &written, nullptr) &&
                        written == bytes.size() && FlushFileBuffers(out.get()) && out.close() &&
                        ReplaceWith(temporary, target, OldFile::Kept);
        if (!ok) {
            const DWORD error = GetLastError();
            out.close();
            DeleteFileW(temporary.c_str());
            return Status::Failed(SystemErrorText(error));
        }
        return Status::Ok();
    }

    std::unique_ptr<FileLock> lockFile(const std::string& path, std::string& reason) override {
        HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\tarnwick-task-file-save");
        if (mutex == nullptr) {
            reason = SystemErrorText(GetLastError());
            return nullptr;
        }
        // An abandoned mutex (a save that died) is ours all the same.
        const DWORD waited = WaitForSingleObject(mutex, INFINITE);
        if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
            reason = SystemErrorText(GetLastError());
            CloseHandle(mutex);
            return nullptr;
        }
        // Looked for only now: another save may have moved the file aside to replace it.
        auto lock = std::make_unique<Win32FileLock>(mutex);
        if (GetFileAttributesW(WidePath(path).c_str()) == INVALID_FILE_ATTRIBUTES) {
            return nullptr;
        }
        return lock;
    }

    std::string currentFolder() override {
        std::wstring buffer(GetCurrentDirectoryW(0, nullptr), L'\0');
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        buffer.resize(length);
        return Narrow(buffer);
    }

    Status setCurrentFolder(const std::string& path) override {
        if (!SetCurrentDirectoryW(Widen(path).c_str())) {
            return Status::Failed(SystemErrorText(GetLastError()));
        }
        return Status::Ok();
    }

    std::vector<std::string> roots() override {
        wchar_t buffer[512];
        const DWORD length = GetLogicalDriveStringsW(512, buffer);
        std::vector<std::string> found;
        for (const wchar_t* drive = buffer; drive < buffer + length && *drive != L'\0';
             drive += wcslen(drive) + 1) {
            found.push_back(Narrow(drive));
        }
        return found;
    }

  private:
};

}  // namespace

std::unique_ptr<FileSystem> MakeHostFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace tarnwick
