// The dynamic symbol table of the shared object that ships the client
// library (the Python module, or without Python a shared object made of the
// library alone), read from its file: a test asks which symbols it exports
// without loading it.
#pragma once

#include <elf.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace pitest {

// The names of the symbols an ELF64 shared object defines in its dynamic
// symbol table (undefined references left out).
inline std::set<std::string> definedDynamicSymbols(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> image((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    Elf64_Ehdr header;
    if (image.size() < sizeof header) return names;
    std::memcpy(&header, image.data(), sizeof header);
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_shoff + header.e_shnum * sizeof(Elf64_Shdr) > image.size()) {
        return names;
    }
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    std::memcpy(sections.data(), image.data() + header.e_shoff, sections.size() * sizeof(Elf64_Shdr));
    for (const Elf64_Shdr& section : sections) {
        if (section.sh_type != SHT_DYNSYM || section.sh_link >= sections.size()) continue;
        const Elf64_Shdr& strings = sections[section.sh_link];
        for (Elf64_Off at = section.sh_offset; at + sizeof(Elf64_Sym) <= section.sh_offset + section.sh_size;
             at += sizeof(Elf64_Sym)) {
            Elf64_Sym symbol;
            std::memcpy(&symbol, image.data() + at, sizeof symbol);
            if (symbol.st_shndx != SHN_UNDEF && symbol.st_name < strings.sh_size) {
                names.insert(image.data() + strings.sh_offset + symbol.st_name);
            }
        }
    }
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
