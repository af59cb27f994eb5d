#include <cctype>
#include <cstdlib>

#include "core/base/speeds.hpp"
#include "core/playfield/playfield.hpp"

namespace kelvar {

namespace {

// Longest part of a line that is kept; the rest of an overlong line is skipped unread.
constexpr std::size_t kMaxLine = 4096;

// Reads one line without its end (LF, CRLF or a lone CR). False at the end of the file.
bool readLine(std::istream& in, std::string& line) {
    line.clear();
    std::istream::int_type c = in.get();
    if (c == std::istream::traits_type::eof()) return false;
    while (c != std::istream::traits_type::eof()) {
        if (c == '\n') break;
        if (c == '\r') {
            if (in.peek() == '\n') in.get();
            break;
        }
        if (line.size() < kMaxLine) line.push_back(static_cast<char>(c));
        c = in.get();
    }
    return true;
}

} // namespace

bool verticlIsOne(const std::string& verticl) {
    // A decimal number with blanks around it; anything else counts as 0.
    std::size_t b = verticl.find_first_not_of(" \t");
    if (b == std::string::npos) return false;
    std::size_t e = verticl.find_last_not_of(" \t");
    const std::string text = verticl.substr(b, e - b + 1);
    for (char ch : text)
        if (!(std::isdigit(static_cast<unsigned char>(ch)) || ch == '.' || ch == '+' || ch == '-' ||
              ch == 'e' || ch == 'E'))
            return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return false;
    return v == 1.0;
}

std::string optionsFileBytes(const std::string& speedCode, int centerOrNot) {
    return speedCode + "\r\n " + std::to_string(centerOrNot) + "\r\n";
}

void SetDefaults(Game& g) {
    g.st.TDel = kDefaultSpeed.intervalMs;
    g.st.Verticl = "0";
}

void LoadConfig(Game& g) {
    OptionsFile& files = g.svc.options;
    g.st.WorkingDir = files.currentFolder();
    const std::string path = joinPath(g.st.WorkingDir, kOptionsFileName);
    files.clearAttributes(path);

    if (auto in = files.openForReading(path)) {
        std::string line;
        if (in->peek() != std::istream::traits_type::eof()) {
            if (readLine(*in, line)) g.st.DlyType = line;
            if (readLine(*in, line))
                g.st.Verticl = line;
            else
                SetDefaults(g);
        }
    } else {
        SetDefaults(g);
    }

    g.st.TDel = speedInterval(g.st.DlyType);
    g.shell.setCenterOrNot(verticlIsOne(g.st.Verticl) ? 1 : 0);
}

} // namespace kelvar
