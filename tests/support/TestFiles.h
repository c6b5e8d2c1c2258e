#pragma once
// Files for the tests: whole-file bytes, oversized files and a folder of one's own.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The file's bytes; empty when it is missing.
inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ostringstream content;
    content << std::ifstream(path, std::ios::binary).rdbuf();
    return content.str();
}

// Makes `path` a file of `size` bytes (size > 0) by writing its last byte
// only. The runtime's resize_file is not used: under 32-bit Wine the mingw
// truncate behind it overruns its own stack.
inline void WriteSizedFile(const std::filesystem::path& path, std::uintmax_t size) {
    std::ofstream(path, std::ios::binary).seekp(static_cast<std::streamoff>(size - 1)).put('\0');
}

// A path as the program holds it, in UTF-8 (string() gives the ANSI code page's on Windows).
inline std::string Utf8(const std::filesystem::path& p) { const auto t = p.u8string(); return {t.begin(), t.end()}; }

// A new folder in the temporary folder, removed with all it holds at the end.
struct TempFolder {
    explicit TempFolder(std::filesystem::path prefix)
        : path(std::filesystem::temp_directory_path() / (prefix += std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    const std::filesystem::path path;
};
