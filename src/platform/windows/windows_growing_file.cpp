#include "platform/growing_file.hpp"

#include <windows.h>

#include <algorithm>

#include "platform/windows/windows_paths.hpp"

namespace kelvar {

namespace {

HANDLE handleOf(std::intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

bool writeAll(HANDLE h, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        if (!WriteFile(h, bytes.data() + done, chunk, &n, nullptr) || n == 0) return false;
        done += n;
    }
    return true;
}

} // namespace

bool GrowingFile::start(const std::string& path, const std::string& head) {
    close();
    const std::wstring target = widen(path);
    const std::wstring twin = target + L".new" + std::to_wstring(GetCurrentProcessId());
    HANDLE h = CreateFileW(twin.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    // On disk before it takes the name: a crash then leaves the new head or the old file.
    bool ok = writeAll(h, head) && FlushFileBuffers(h);
    ok = CloseHandle(h) && ok;
    if (!ok || !MoveFileExW(twin.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(twin.c_str());
        return false;
    }
    h = CreateFileW(target.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return true;
}

bool GrowingFile::append(const std::string& bytes) {
    return isOpen() && writeAll(handleOf(handle_), bytes);
}

bool GrowingFile::sync() {
    return isOpen() && FlushFileBuffers(handleOf(handle_));
}

void GrowingFile::close() {
    if (isOpen()) CloseHandle(handleOf(handle_));
    handle_ = -1;
}

} // namespace kelvar
