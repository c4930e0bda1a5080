#include "hostsim/sim/KeyValueFile.h"

#include <fstream>

namespace karvensim {
namespace {

std::string escaped(const std::string& text, bool isKey) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\\' || (isKey && (c == '=' || (c == '#' && i == 0)))) {
            out += '\\';
            out += c;
        } else {
            out += c;
        }
    }
    return out;
}

// Splits one entry line at its first unescaped '='; false when malformed.
bool parseLine(const std::string& line, std::pair<std::string, std::string>& entry) {
    std::string* part = &entry.first;
    bool inKey = true;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\\') {
            if (++i == line.size()) {
                return false;
            }
            *part += line[i] == 'n' ? '\n' : line[i];
        } else if (c == '=' && inKey) {
            inKey = false;
            part = &entry.second;
        } else {
            *part += c;
        }
    }
    return !inKey;
}

}  // namespace

FileRead readEntries(const std::string& path, Entries& entries) {
    std::ifstream in(path);
    if (!in) {
        return FileRead::Unreadable;
    }
    Entries read;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::pair<std::string, std::string> entry;
        if (!parseLine(line, entry)) {
            return FileRead::Malformed;
        }
        read.push_back(std::move(entry));
    }
    if (in.bad()) {
        return FileRead::Unreadable;
    }
    entries = std::move(read);
    return FileRead::Read;
}

bool writeEntries(const std::string& path, const std::string& heading, const Entries& entries) {
    std::ofstream out(path);
    out << "# " << heading << '\n';
    for (const auto& entry : entries) {
        out << escaped(entry.first, true) << '=' << escaped(entry.second, false) << '\n';
    }
    out.flush();
    return static_cast<bool>(out);
}

}  // namespace karvensim
