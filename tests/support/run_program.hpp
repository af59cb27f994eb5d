#pragma once
// Runs the built program (or any shell command) as a player would, at most 60 s: time enough
// on a busy machine under the sanitizers.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kelvar::testing {

struct ProgramRun {
    int code = -1; // 124: it did not finish in time
    std::string out, err;
};

// `command` is a program and its arguments, e.g. "env -u DISPLAY kelvar-raid --help".
inline ProgramRun runProgram(const std::string& command) {
    const auto errPath =
        std::filesystem::temp_directory_path() / ("kelvar-run-" + std::to_string(getpid()));
    ProgramRun run;
    if (FILE* p = popen(("timeout 60 " + command + " 2>" + errPath.string()).c_str(), "r")) {
        for (char buf[256]; fgets(buf, sizeof buf, p);) run.out += buf;
        const int status = pclose(p);
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.err = (std::ostringstream() << std::ifstream(errPath).rdbuf()).str();
    std::filesystem::remove(errPath);
    return run;
}

} // namespace kelvar::testing
