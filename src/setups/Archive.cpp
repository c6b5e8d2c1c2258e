#include "setups/Archive.h"

#include <cstring>
#include <exception>
#include <utility>

namespace {

// Object tags of the framework's archive format.
constexpr std::uint16_t kNullTag = 0x0000;
constexpr std::uint16_t kNewClassTag = 0xFFFF;
constexpr std::uint16_t kClassTag = 0x8000;
constexpr std::uint16_t kBigObjectTag = 0x7FFF;
constexpr std::uint32_t kBigClassTag = 0x80000000;

// String length escapes beyond the first byte's.
constexpr std::uint16_t kWideStringMarker = 0xFFFE;
constexpr std::uint16_t kWordLengthEscape = 0xFFFF;

constexpr std::uint16_t kCountEscape = 0xFFFF;

// The standard exceptions with a message bring a second string class into the
// program; this one says the same without it.
class BufferOverrun : public std::exception {
public:
    const char* what() const noexcept override { return "more bytes than the archive's buffer holds"; }
};

}  // namespace

CArchive CArchive::Loading(std::string_view bytes) {
    CArchive ar(true);
    ar.m_in = bytes;
    return ar;
}

CArchive CArchive::Loading(std::shared_ptr<const std::string> bytes) {
    CArchive ar = Loading(std::string_view(*bytes));
    ar.m_inOwner = std::move(bytes);
    return ar;
}

CArchive CArchive::Storing(std::string* out) {
    CArchive ar(false);
    ar.m_out = out;
    return ar;
}

CArchive CArchive::Storing(std::shared_ptr<char[]> buffer, std::size_t size) {
    CArchive ar(false);
    ar.m_buffer = buffer.get();
    ar.m_in = std::string_view(buffer.get(), size);
    ar.m_inOwner = std::move(buffer);
    return ar;
}

void CArchive::Transfer(std::int32_t& value) {
    if (m_loading)
        value = static_cast<std::int32_t>(ReadU32());
    else
        WriteU32(static_cast<std::uint32_t>(value));
}

void CArchive::Put(const void* data, std::size_t count) {
    if (m_out) m_out->append(static_cast<const char*>(data), count);
    if (m_buffer) {
        if (count > m_in.size() - m_offset) throw BufferOverrun();
        std::memcpy(m_buffer + m_offset, data, count);
    }
    m_offset += count;
}

void CArchive::WriteBytes(std::string_view bytes) { Put(bytes.data(), bytes.size()); }

void CArchive::WriteU16(std::uint16_t value) {
    const unsigned char bytes[2] = {static_cast<unsigned char>(value),
                                    static_cast<unsigned char>(value >> 8)};
    Put(bytes, sizeof bytes);
}

void CArchive::WriteU32(std::uint32_t value) {
    const unsigned char bytes[4] = {
        static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
        static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    Put(bytes, sizeof bytes);
}

void CArchive::WriteString(std::string_view text) {
    const std::size_t size = text.size();
    if (size < kByteLengthEscape) {
        const unsigned char length = static_cast<unsigned char>(size);
        Put(&length, 1);
    } else {
        Put(&kByteLengthEscape, 1);
        if (size < kWideStringMarker) {
            WriteU16(static_cast<std::uint16_t>(size));
        } else {
            WriteU16(kWordLengthEscape);
            WriteU32(static_cast<std::uint32_t>(size));
        }
    }
    Put(text.data(), size);
}

void CArchive::WriteCount(std::uint32_t count) {
    if (count < kCountEscape) {
        WriteU16(static_cast<std::uint16_t>(count));
    } else {
        WriteU16(kCountEscape);
        WriteU32(count);
    }
}

void CArchive::WriteObjectTag(const ArchiveClass& cls, bool present) {
    if (!present) {
        WriteU16(kNullTag);
    } else if (!m_classWritten) {
        WriteU16(kNewClassTag);
        WriteU16(cls.schema);
        WriteU16(static_cast<std::uint16_t>(cls.name.size()));
        Put(cls.name.data(), cls.name.size());
        m_classWritten = true;
    } else {
        // The class description is the first object written, so it is number 1.
        WriteU16(kClassTag | 1);
    }
}

void CArchive::SetFault(ArchiveFault fault, std::size_t at, std::string text) {
    if (Failed()) return;
    m_fault = fault;
    m_faultOffset = at;
    m_faultText = std::move(text);
}

bool CArchive::Take(std::size_t count, std::size_t at) {
    if (Failed()) return false;
    if (m_in.size() - m_offset < count) {
        SetFault(ArchiveFault::Truncated, at, "the file ends in the middle of an entry");
        return false;
    }
    return true;
}

std::uint16_t CArchive::ReadU16() {
    if (!Take(2, m_offset)) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(m_in.data() + m_offset);
    m_offset += 2;
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t CArchive::ReadU32() {
    if (!Take(4, m_offset)) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(m_in.data() + m_offset);
    m_offset += 4;
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::string_view CArchive::ReadBytes(std::size_t count) {
    const std::size_t at = m_offset;
    if (Failed()) return {};
    if (m_in.size() - at < count) {
        SetFault(ArchiveFault::Truncated, at,
                 "a text of " + std::to_string(count) + " bytes runs past the end of the file (" +
                     std::to_string(m_in.size() - at) + " bytes are left)");
        return {};
    }
    m_offset += count;
    return m_in.substr(at, count);
}

std::string_view CArchive::ReadEscapedText() {
    const std::size_t at = m_offset;
    if (!Take(1, at)) return {};
    std::uint32_t length = static_cast<unsigned char>(m_in[m_offset++]);
    if (length == kByteLengthEscape) {
        length = ReadU16();
        if (length == kWideStringMarker) {
            SetFault(ArchiveFault::WideString, at, "a wide-character text, which setups never hold");
            return {};
        }
        if (length == kWordLengthEscape) length = ReadU32();
    }
    return ReadBytes(length);
}

std::uint32_t CArchive::ReadCount() {
    const std::uint16_t count = ReadU16();
    return count == kCountEscape ? ReadU32() : count;
}

void CArchive::ReadClassDescription(const ArchiveClass& cls) {
    const std::size_t schemaAt = m_offset;
    const std::uint16_t schema = ReadU16();
    const std::size_t nameAt = m_offset;
    const std::uint16_t nameLength = ReadU16();
    const std::string_view name = ReadBytes(nameLength);
    if (Failed()) return;
    if (name != cls.name) {
        SetFault(ArchiveFault::BadClass, nameAt,
                 "an object of an unknown class (expected " + std::string(cls.name) + ")");
    } else if (schema != cls.schema) {
        SetFault(ArchiveFault::BadSchema, schemaAt,
                 "version " + std::to_string(schema) + " of " + std::string(name) + ", which this program cannot read");
    } else {
        m_loadedIsClass.push_back(true);
    }
}

bool CArchive::ReadClassReference(std::uint32_t number, std::size_t at) {
    if (number < m_loadedIsClass.size() && m_loadedIsClass[number]) return true;
    SetFault(ArchiveFault::BadIndex, at,
             "a reference to class number " + std::to_string(number) + ", which the file has not described");
    return false;
}

bool CArchive::ReadAnyObjectTag(const ArchiveClass& cls) {
    const std::size_t at = m_offset;
    const std::uint16_t tag = ReadU16();
    if (Failed()) return false;
    if (tag == kNewClassTag) {
        ReadClassDescription(cls);
    } else {
        std::uint32_t number = tag & ~kClassTag;
        bool isClass = (tag & kClassTag) != 0;
        if (tag == kBigObjectTag) {
            const std::uint32_t big = ReadU32();
            if (Failed()) return false;
            number = big & ~kBigClassTag;
            isClass = (big & kBigClassTag) != 0;
        }
        if (!isClass) {
            if (number == 0) return false;
            // One record owned twice by the store would be freed twice.
            SetFault(ArchiveFault::ObjectReference, at,
                     "a second reference to object number " + std::to_string(number) +
                         ", which this program does not accept");
            return false;
        }
        ReadClassReference(number, at);
    }
    if (Failed()) return false;
    m_loadedIsClass.push_back(false);  // the new object takes the next number
    return true;
}
