#include "platform/windows/windows_options_file.hpp"

#include "platform/disk_options_file.hpp"

#include <windows.h>

#include <algorithm>
#include <sstream>
#include <utility>

#include "platform/windows/windows_paths.hpp"

namespace kelvar {

namespace {

constexpr const wchar_t* kSeparators = L"\\/";

bool isFolder(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Makes `path` and its missing parents; true when it is a folder afterwards. A part that cannot
// be made (a drive, a server) is left to the last check.
bool makeFolders(const std::wstring& path) {
    if (path.empty()) return false;
    for (std::size_t sep = path.find_first_of(kSeparators, 1); sep != std::wstring::npos;
         sep = path.find_first_of(kSeparators, sep + 1))
        CreateDirectoryW(path.substr(0, sep).c_str(), nullptr);
    CreateDirectoryW(path.c_str(), nullptr);
    return isFolder(path);
}

bool writeAll(HANDLE h, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(h, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A new file beside `path` that nothing else has open; INVALID_HANDLE_VALUE when none can be made.
HANDLE createTwin(const std::wstring& path, std::wstring& twin) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        twin = path + L".tmp" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++counter);
        const HANDLE h = CreateFileW(twin.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return h;
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

WindowsOptionsFile::WindowsOptionsFile(OptionsFolder where)
    : folder_(std::move(where.folder)), fallback_(std::move(where.fallback)) {}

std::string WindowsOptionsFile::currentFolder() {
    return folder_;
}

void WindowsOptionsFile::clearAttributes(const std::string& path) {
    // Only a plain file by this name; a link is left alone, and so is what it points to.
    const std::wstring wide = widen(path);
    const DWORD a = GetFileAttributesW(wide.c_str());
    constexpr DWORD kNotAPlainFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    constexpr DWORD kInTheWay =
        FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (a == INVALID_FILE_ATTRIBUTES || (a & kNotAPlainFile) != 0 || (a & kInTheWay) == 0) return;
    SetFileAttributesW(wide.c_str(), a & ~kInTheWay);
}

std::unique_ptr<std::istream> WindowsOptionsFile::openForReading(const std::string& path) {
    const HANDLE h = CreateFileW(widen(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    BY_HANDLE_FILE_INFORMATION info{};
    bool ok = GetFileType(h) == FILE_TYPE_DISK && GetFileInformationByHandle(h, &info) &&
              (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    std::string bytes;
    if (ok) {
        bytes.resize(kReadLimit);
        std::size_t got = 0;
        while (got < bytes.size()) {
            DWORD n = 0;
            ok = ReadFile(h, bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &n,
                          nullptr);
            if (!ok || n == 0) break;
            got += n;
        }
        bytes.resize(got);
    }
    CloseHandle(h);
    if (!ok) return nullptr;
    return std::make_unique<std::istringstream>(std::move(bytes));
}

bool WindowsOptionsFile::replace(const std::string& asked, std::string_view bytes) {
    std::string path = asked;
    const std::string name = path.substr(path.find_last_of("\\/") + 1);
    if (path == joinPath(folder_, name) && !isFolder(widen(folder_)) &&
        !makeFolders(widen(folder_))) {
        if (fallback_.empty()) return false;
        folder_ = std::exchange(fallback_, std::string());
        path = joinPath(folder_, name);
    }
    // A temporary twin in the same folder moved over the file: never a half-written file, the
    // old one kept when writing fails, and a link by this name replaced, not written through.
    const std::wstring target = widen(path);
    std::wstring twin;
    const HANDLE h = createTwin(target, twin);
    if (h == INVALID_HANDLE_VALUE) return false;
    bool ok = writeAll(h, bytes) && FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    if (ok && MoveFileExW(twin.c_str(), target.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(twin.c_str());
    return false;
}

OptionsFolder chooseWindowsOptionsFolder(const std::string& programFolder,
                                         bool programFolderWritable, const std::string& appData) {
    if (!appData.empty() && (!programFolderWritable || programFolder.empty()))
        return {joinPath(appData, "kelvar-raid"), ""};
    return {programFolder, ""};
}

OptionsFolder optionsFolderOfThisProcess() {
    const std::string beside = programFolder();
    return chooseWindowsOptionsFolder(beside, !beside.empty() && folderIsWritable(beside),
                                      roamingAppDataFolder());
}

// The folder is chosen by where the program is, whatever the file's name.
std::unique_ptr<OptionsFile> optionsFileOfThisProcess(const std::string&) {
    return std::make_unique<WindowsOptionsFile>(optionsFolderOfThisProcess());
}

} // namespace kelvar
