#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>

// Makes `path` a file of `size` bytes (size > 0) by writing its last byte
// only. The runtime's resize_file is not used: under 32-bit Wine the mingw
// truncate behind it overruns its own stack.
inline void WriteSizedFile(const std::filesystem::path& path, std::uintmax_t size) {
    std::ofstream(path, std::ios::binary).seekp(static_cast<std::streamoff>(size - 1)).put('\0');
}
