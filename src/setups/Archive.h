#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Why loading stopped before the end of the data.
enum class ArchiveFault {
    None,
    Truncated,        // the data ends inside an item, or a length runs past its end
    BadClass,         // an object of a class other than the one expected
    BadSchema,        // the expected class with another schema number
    BadIndex,         // a class number that names no class described earlier
    ObjectReference,  // a second reference to an object read earlier
    WideString,       // a wide-character string, which the setups never hold
};

// Name and schema of the one class whose objects an archive carries.
struct ArchiveClass {
    std::string_view name;
    std::uint16_t schema;
};

// A byte-buffer object archive in the framework's little-endian format. Loading
// reads bounded fields from a byte span and stops at the first fault, keeping
// its kind and byte offset; after a fault every read yields zero or empty.
// Storing appends to a byte string, or only counts the bytes when given none.
class CArchive {
public:
    static CArchive Loading(std::string_view bytes);
    static CArchive Storing(std::string* out);

    bool IsStoring() const { return !m_loading; }

    // One call per field, in either direction.
    void Transfer(std::string& text);
    void Transfer(std::int32_t& value);

    // Storing.
    void WriteString(std::string_view text);
    void WriteCount(std::uint32_t count);
    // Writes the reference that precedes an object of `cls`, or a null one.
    void WriteObjectTag(const ArchiveClass& cls, bool present);

    // Loading.
    std::string ReadString();
    std::uint32_t ReadCount();
    // Reads an object reference; true when a new object of `cls` follows,
    // false for a null reference or after a fault.
    bool ReadObjectTag(const ArchiveClass& cls);

    // Bytes read or written so far.
    std::size_t Offset() const { return m_offset; }
    // Loading: every byte has been read.
    bool AtEnd() const { return m_offset >= m_in.size(); }
    bool Failed() const { return m_fault != ArchiveFault::None; }
    ArchiveFault Fault() const { return m_fault; }
    std::size_t FaultOffset() const { return m_faultOffset; }
    // What is wrong, in words, for a message to the user.
    const std::string& FaultText() const { return m_faultText; }

private:
    explicit CArchive(bool loading) : m_loading(loading) {}

    bool Take(std::size_t count, std::size_t at);
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    void ReadBytes(std::string& out, std::size_t count);
    void ReadClassDescription(const ArchiveClass& cls);
    bool ReadClassReference(std::uint32_t number, std::size_t at);
    void SetFault(ArchiveFault fault, std::size_t at, std::string text);

    void Put(const void* data, std::size_t count);
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);

    bool m_loading;
    std::string_view m_in;
    std::string* m_out = nullptr;
    std::size_t m_offset = 0;

    // Object numbers in order of appearance; true where the number is a class.
    // Number 0 stands for no object.
    std::vector<bool> m_loadedIsClass{false};
    bool m_classWritten = false;

    ArchiveFault m_fault = ArchiveFault::None;
    std::size_t m_faultOffset = 0;
    std::string m_faultText;
};
