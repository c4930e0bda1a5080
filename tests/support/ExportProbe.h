// The dynamic symbol table of the shared object that ships the client
// library (the Python module, or without Python a shared object made of the
// library alone), listed from its file: a test asks which symbols it
// exports without loading it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>

namespace pitest {

// The names of the symbols a shared object defines in its dynamic symbol
// table, as binutils' nm lists them (undefined references left out).
inline std::set<std::string> definedDynamicSymbols(const std::string& path) {
    std::set<std::string> names;
    std::FILE* listing = popen(("nm -D --defined-only '" + path + "'").c_str(), "r");
    if (listing == nullptr) return names;
    char line[4096];
    while (std::fgets(line, sizeof line, listing) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) names.insert(name);
    }
    pclose(listing);
    return names;
}

class ExportProbe : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(symbols().empty()) << "no dynamic symbols read from " PI_EXPORT_SUBJECT;
    }
    // Whether the shared object exports `symbol` (a mangled name).
    static bool exported(const std::string& symbol) { return symbols().count(symbol) != 0; }

private:
    static const std::set<std::string>& symbols() {
        static const std::set<std::string> read = definedDynamicSymbols(PI_EXPORT_SUBJECT);
        return read;
    }
};

}  // namespace pitest
