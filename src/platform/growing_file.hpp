#pragma once
// A file written as the program goes that is never half an old one: it starts in a temporary
// twin in the same folder, put on disk and then renamed over the name; later bytes are appended
// straight to it.
#include <cstdint>
#include <string>

namespace kelvar {

class GrowingFile {
  public:
    GrowingFile() = default;
    ~GrowingFile() { close(); }
    GrowingFile(const GrowingFile&) = delete;
    GrowingFile& operator=(const GrowingFile&) = delete;

    // Closes any file this had, then replaces `path` by a new file holding `head`.
    bool start(const std::string& path, const std::string& head);
    bool append(const std::string& bytes);
    bool sync(); // what was appended is on disk
    void close();
    bool isOpen() const { return handle_ != -1; }

  private:
    std::intptr_t handle_ = -1; // a file descriptor, or a Windows file handle
};

} // namespace kelvar
