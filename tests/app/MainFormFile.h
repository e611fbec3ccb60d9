#pragma once
// The main window's form file as the program builds it in, read from the
// source tree that GLYPHORA_SOURCE_DIR names; empty when it cannot be read.

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<uint8_t> ReadMainForm() {
    const char* source = std::getenv("GLYPHORA_SOURCE_DIR");
    if (!source) return {};
    std::ifstream in(std::string(source) + "/app/MainForm.dfm", std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
