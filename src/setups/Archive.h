#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "setups/SharedBytes.h"

// Why loading stopped before the end of the data.
enum class ArchiveFault {
    None,
    Truncated,        // the data ends inside an item, or a length runs past its end
    BadClass,         // an object of a class other than the one expected
    BadSchema,        // the expected class with another schema number
    BadIndex,         // a class number that names no class described earlier
    ObjectReference,  // a second reference to an object read earlier
    WideString,       // a wide-character string, which the setups never hold
    TooManyEntries,   // more entries than a reader takes
};

// Name and schema of the one class whose objects an archive carries.
struct ArchiveClass {
    std::string_view name;
    std::uint16_t schema;
};

// A byte-buffer object archive in the framework's little-endian format. Loading
// reads bounded fields from a byte span and stops at the first fault, keeping
// its kind and byte offset; after a fault every read yields zero or empty.
// Texts read are views of the span. Storing appends to a byte string, or only
// counts the bytes when given none, or fills a buffer of the final size.
class CArchive {
public:
    // Bytes taken from it with Share are copied.
    static CArchive Loading(std::string_view bytes);
    // Bytes taken from it with Share are shared with `bytes`, which must not be null.
    static CArchive Loading(std::shared_ptr<const std::string> bytes);
    static CArchive Storing(std::string* out);
    // Bytes written can be taken with Share, shared with `buffer`, which
    // must hold `size` bytes; writing more throws.
    static CArchive Storing(std::shared_ptr<char[]> buffer, std::size_t size);

    bool IsStoring() const { return !m_loading; }
    // Whether Share shares bytes rather than copying them.
    bool Shares() const { return m_inOwner != nullptr; }

    // One call per field, in either direction.
    void Transfer(std::string_view& text) {
        if (m_loading)
            text = ReadText();
        else
            WriteString(text);
    }
    void Transfer(std::int32_t& value);

    // Storing.
    void WriteBytes(std::string_view bytes);
    void WriteString(std::string_view text);
    void WriteCount(std::uint32_t count);
    // Writes the reference that precedes an object of `cls`, or a null one.
    void WriteObjectTag(const ArchiveClass& cls, bool present);

    // Loading.
    std::string_view ReadText() {
        // Texts shorter than 255 bytes, nearly all, are read here; the rest and
        // every fault in ReadEscapedText.
        if (!Failed() && m_offset < m_in.size()) {
            const std::size_t length = static_cast<unsigned char>(m_in[m_offset]);
            if (length != kByteLengthEscape && length < m_in.size() - m_offset) {
                const std::string_view text = m_in.substr(m_offset + 1, length);
                m_offset += 1 + length;
                return text;
            }
        }
        return ReadEscapedText();
    }
    std::uint32_t ReadCount();
    // Reads an object reference; true when a new object of `cls` follows,
    // false for a null reference or after a fault.
    bool ReadObjectTag(const ArchiveClass& cls) {
        // The tag of every record after the first in the files this program writes.
        if (!Failed() && m_in.substr(m_offset, 2) == "\x01\x80" && m_loadedIsClass.size() > 1 && m_loadedIsClass[1]) {
            m_offset += 2;
            m_loadedIsClass.push_back(false);
            return true;
        }
        return ReadAnyObjectTag(cls);
    }

    // The bytes not read yet, and reading `count` of them.
    std::string_view Unread() const { return m_in.substr(m_offset); }
    std::string_view ReadBytes(std::size_t count);

    // Bytes read or written so far.
    std::size_t Offset() const { return m_offset; }
    // The bytes read or written from `start` on, to keep after the archive is gone.
    SharedBytes Share(std::size_t start) const { return Share(m_in.substr(start, m_offset - start)); }
    SharedBytes Share(std::string_view read) const {
        return m_inOwner ? SharedBytes(read, m_inOwner) : SharedBytes::Copy(read);
    }
    // Loading: every byte has been read.
    bool AtEnd() const { return m_offset >= m_in.size(); }
    bool Failed() const { return m_fault != ArchiveFault::None; }
    ArchiveFault Fault() const { return m_fault; }
    std::size_t FaultOffset() const { return m_faultOffset; }
    // What is wrong, in words, for a message to the user.
    const std::string& FaultText() const { return m_faultText; }
    // Stops loading at `at` for a fault found above the archive's own format.
    void SetFault(ArchiveFault fault, std::size_t at, std::string text);

private:
    // The length byte of a text of 255 bytes or more.
    static constexpr unsigned char kByteLengthEscape = 0xFF;

    explicit CArchive(bool loading) : m_loading(loading) {}

    std::string_view ReadEscapedText();
    bool ReadAnyObjectTag(const ArchiveClass& cls);
    bool Take(std::size_t count, std::size_t at);
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    void ReadClassDescription(const ArchiveClass& cls);
    bool ReadClassReference(std::uint32_t number, std::size_t at);

    void Put(const void* data, std::size_t count);
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);

    bool m_loading;
    // The bytes read, or the buffer written.
    std::string_view m_in;
    std::shared_ptr<const void> m_inOwner;
    std::string* m_out = nullptr;
    char* m_buffer = nullptr;
    std::size_t m_offset = 0;

    // Object numbers in order of appearance; true where the number is a class.
    // Number 0 stands for no object.
    std::vector<bool> m_loadedIsClass{false};
    bool m_classWritten = false;

    ArchiveFault m_fault = ArchiveFault::None;
    std::size_t m_faultOffset = 0;
    std::string m_faultText;
};
