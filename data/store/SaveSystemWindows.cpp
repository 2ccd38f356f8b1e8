// The Windows file calls: the read's open, the checks of a save's target, the save system.
#include "data/store/Errors.h"
#include "data/store/SaveSystem.h"
#include "data/store/private/NativeFile.h"

#include <windows.h>

#include <algorithm>

namespace vemo {

namespace {

std::string LastReason() {
    return SystemReason(static_cast<int>(GetLastError()));
}

std::wstring Wide(const std::string& name) {
    if (name.empty())
        return {};
    const int size =
        MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.data(), static_cast<int>(name.size()), wide.data(), size);
    return wide;
}

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

// A reserved name ("nul", "con.sdf") names a device in any folder, which its full path shows.
bool NamesADevice(const std::wstring& name) {
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return false;
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(name.c_str(), size, full.data(), nullptr));
    return full.rfind(L"\\\\.\\", 0) == 0 && name.rfind(L"\\\\.\\", 0) != 0;
}

// The full path of name: Wine's ReplaceFileW refuses names relative to the working folder.
std::wstring FullPath(const std::string& name) {
    const std::wstring wide = Wide(name);
    const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return wide;
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(wide.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return wide;
    full.resize(length);
    return full;
}

} // namespace

std::filesystem::path FilePath(const std::string& fileName) {
    return std::filesystem::path(Wide(fileName));
}

// Others may read the file but not write it while it is read.
InputFile::InputFile(const std::string& fileName)
    : fileName_(fileName),
      handle_(reinterpret_cast<std::intptr_t>(CreateFileW(Wide(fileName).c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                                          FILE_ATTRIBUTE_NORMAL, nullptr))) {
    const HANDLE file = AsHandle(handle_);
    if (file == INVALID_HANDLE_VALUE) {
        // A folder refuses the open with "access denied"; the user is told what it is instead.
        std::string reason = LastReason();
        const DWORD attributes = GetFileAttributesW(Wide(fileName).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            reason = kNotRegular;
        throw FileError(fileName, reason);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        CloseHandle(file);
        throw FileError(fileName, kNotRegular);
    }
    size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

InputFile::~InputFile() {
    CloseHandle(AsHandle(handle_));
}

std::size_t InputFile::Read(char* data, std::size_t size) {
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), data, static_cast<DWORD>(size), &got, nullptr))
        throw FileError(fileName_, LastReason());
    return got;
}

std::string FolderOf(const std::string& name) {
    const std::size_t slash = name.find_last_of("\\/:");
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// Windows has no links that a save would have to follow itself.
std::string ReplacedFile(const std::string& fileName, std::string&) {
    return fileName;
}

std::string TargetProblem(const std::string& fileName) {
    const std::wstring wide = Wide(fileName);
    if (NamesADevice(wide))
        return kNotRegular;
    const HANDLE file = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    if (!disk || !known ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return kNotRegular;
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        return "soubor je jen pro čtení";
    if (info.nNumberOfLinks > 1)
        return kHardLinks;
    return {};
}

void NativeSaveSystem::Failed() {
    reason_ = LastReason();
}

bool NativeSaveSystem::CreateTemp(const std::string& target, std::string& tempName) {
    for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
        std::string name = TempName(target, static_cast<unsigned>(GetCurrentProcessId()));
        const HANDLE file = CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE && GetFileType(file) != FILE_TYPE_DISK) {
            CloseHandle(file);
            reason_ = kNotRegular;
            return false;
        }
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            tempName = std::move(name);
            return true;
        }
        if (GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    const DWORD error = GetLastError();
    Failed();
    if (error == ERROR_ACCESS_DENIED)
        reason_ = std::string(kFolderNotWritable) + " (" + reason_ + ")";
    return false;
}

long long NativeSaveSystem::Write(const char* data, std::size_t size) {
    DWORD written = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    if (!WriteFile(AsHandle(handle_), data, want, &written, nullptr) || written == 0) {
        Failed();
        return -1;
    }
    return static_cast<long long>(written);
}

bool NativeSaveSystem::KeepAttributes(const std::string&) {
    // ReplaceFileW in Rename keeps the old file's attributes and ACL.
    return true;
}

bool NativeSaveSystem::Sync() {
    if (!FlushFileBuffers(AsHandle(handle_))) {
        Failed();
        return false;
    }
    return true;
}

bool NativeSaveSystem::Close() {
    const HANDLE file = AsHandle(handle_);
    handle_ = -1;
    if (!CloseHandle(file)) {
        Failed();
        return false;
    }
    return true;
}

bool NativeSaveSystem::Rename(const std::string& from, const std::string& to) {
    const std::wstring wideFrom = FullPath(from);
    const std::wstring wideTo = FullPath(to);
    // ReplaceFileW keeps the replaced file's attributes, ACL and creation time, which a move
    // would lose; a file that is not there yet is moved into place. Its presence is asked
    // first, since the error ReplaceFileW gives for a missing file differs between systems.
    const bool present = GetFileAttributesW(wideTo.c_str()) != INVALID_FILE_ATTRIBUTES;
    const bool done =
        present ? ReplaceFileW(wideTo.c_str(), wideFrom.c_str(), nullptr, 0, nullptr, nullptr)
                : MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_WRITE_THROUGH);
    if (!done)
        Failed();
    return done;
}

bool NativeSaveSystem::SyncFolder(const std::string&) {
    // NTFS journals the rename; Windows has no call to sync a folder.
    return true;
}

bool NativeSaveSystem::Remove(const std::string& name) {
    if (!DeleteFileW(Wide(name).c_str())) {
        Failed();
        return false;
    }
    return true;
}

} // namespace vemo
