#include "platform/posix/posix_options_file.hpp"

#include "platform/disk_options_file.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <utility>

#include "platform/posix/file_replace.hpp"

namespace kelvar {

namespace {

std::string processFolder() {
    std::string buf(4096, '\0');
    if (!getcwd(buf.data(), buf.size())) return ".";
    buf.resize(std::char_traits<char>::length(buf.c_str()));
    return buf;
}

bool isFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Makes `path` and its missing parents, each 0700; true when it is a folder afterwards.
bool makeFolders(const std::string& path) {
    if (path.empty()) return false;
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
    return isFolder(path);
}

} // namespace

PosixOptionsFile::PosixOptionsFile() : folder_(processFolder()) {}

PosixOptionsFile::PosixOptionsFile(OptionsFolder where)
    : folder_(std::move(where.folder)), fallback_(std::move(where.fallback)) {}

std::string PosixOptionsFile::currentFolder() {
    return folder_;
}

void PosixOptionsFile::clearAttributes(const std::string& path) {
    // Only a regular file by this name; a link is left alone, and so is what it points to.
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    const mode_t wanted = (st.st_mode & 07777) | S_IRUSR | S_IWUSR;
    // A file that keeps its attributes is read as it is: the game goes on regardless.
    if (wanted != (st.st_mode & 07777) &&
        fchmodat(AT_FDCWD, path.c_str(), wanted, AT_SYMLINK_NOFOLLOW) != 0)
        return;
}

std::unique_ptr<std::istream> PosixOptionsFile::openForReading(const std::string& path) {
    // Non-blocking, so that a pipe by this name cannot hold up start-up; only a regular file
    // is read.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    std::string bytes;
    if (ok) {
        bytes.resize(kReadLimit);
        std::size_t got = 0;
        while (got < bytes.size()) {
            const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) ok = false;
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        bytes.resize(got);
    }
    close(fd);
    if (!ok) return nullptr;
    return std::make_unique<std::istringstream>(std::move(bytes));
}

bool PosixOptionsFile::replace(const std::string& asked, std::string_view bytes) {
    std::string path = asked;
    const std::string name = path.substr(path.rfind('/') + 1);
    if (path == joinPath(folder_, name) && !isFolder(folder_) && !makeFolders(folder_)) {
        if (fallback_.empty()) return false;
        folder_ = std::exchange(fallback_, std::string());
        path = joinPath(folder_, name);
    }
    const int fd = replaceFile(path, bytes);
    return fd >= 0 && close(fd) == 0;
}

OptionsFolder optionsFolderOfThisProcess(const std::string& fileName) {
    const std::string here = processFolder();
    struct stat st {};
    const bool holdsFile = lstat(joinPath(here, fileName).c_str(), &st) == 0;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        if (const passwd* pw = getpwuid(getuid())) home = pw->pw_dir;
    }
    return chooseOptionsFolder(here, holdsFile, std::getenv("XDG_CONFIG_HOME"), home);
}

std::unique_ptr<OptionsFile> optionsFileOfThisProcess(const std::string& fileName) {
    return std::make_unique<PosixOptionsFile>(optionsFolderOfThisProcess(fileName));
}

} // namespace kelvar
