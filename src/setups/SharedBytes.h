#pragma once
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>

// Bytes that never change once made, shared by every holder: a view, and what
// keeps the bytes it shows alive (nothing for bytes that live as long as the
// program). Titles and records loaded from the data file share the file's bytes.
class SharedBytes {
public:
    SharedBytes() = default;
    SharedBytes(std::string_view view, std::shared_ptr<const void> owner) : m_view(view), m_owner(std::move(owner)) {}

    // A copy of `bytes` that owns itself, in one allocation.
    static SharedBytes Copy(std::string_view bytes) {
        if (bytes.empty()) return {};
        std::shared_ptr<char[]> block = std::make_shared_for_overwrite<char[]>(bytes.size());
        std::memcpy(block.get(), bytes.data(), bytes.size());
        const std::string_view view(block.get(), bytes.size());
        return {view, std::move(block)};
    }

    std::string_view View() const { return m_view; }

    // Equal when the bytes are, wherever they lie.
    friend bool operator==(const SharedBytes& a, std::string_view b) { return a.m_view == b; }
    friend bool operator==(const SharedBytes& a, const SharedBytes& b) { return a.m_view == b.m_view; }

private:
    std::string_view m_view;
    std::shared_ptr<const void> m_owner;
};
