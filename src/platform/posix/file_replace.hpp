#pragma once
// Files that are replaced whole: the options file and a recording.
#include <string>
#include <string_view>

namespace kelvar {

// Writes all of `bytes` to `fd`, going on after a signal; false when the system refuses.
bool writeAll(int fd, std::string_view bytes);

// Writes `bytes` to a temporary twin of `path` in the same folder, flushed to disk, and renames
// it over `path`, flushing the folder too: a crash leaves the old file or the new one, never half
// of each, and a link by that name is replaced, not written through. Returns the new file, open
// for appending more, or -1 with the old file left as it was.
int replaceFile(const std::string& path, std::string_view bytes);

} // namespace kelvar
