#include "gameconfig/ProfileFile.h"

#include <algorithm>
#include <optional>

namespace gameconfig {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLineBreak = "\r\n";
// How much of the start of a file decides whether it is text.
constexpr std::size_t kTextSample = 4096;

// The blanks Windows trims around names and values, line-break remnants included.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view CutAtNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// A name passed in by a caller, compared as the C string Windows would see.
std::string_view AskedName(std::string_view name) { return Trim(CutAtNul(name)); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

bool IsUtf16(std::string_view bytes) { return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"); }

std::size_t ContentStart(std::string_view bytes) { return bytes.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0; }

// One line of the file. Views point into the bytes it was parsed from.
struct Line {
    enum class Kind { Blank, Header, Entry, Other };
    Kind kind = Kind::Blank;
    std::size_t begin = 0;  // content is [begin, end), without the line break
    std::size_t end = 0;
    std::size_t next = 0;   // start of the next line; equals `end` when no break follows
    std::string_view name;  // header name or key: trimmed, then cut at a NUL
    std::string_view value; // entry value: trimmed
};

Line ParseLine(std::string_view bytes, std::size_t pos) {
    Line line;
    line.begin = pos;
    std::size_t end = pos;
    while (end < bytes.size() && !IsLineBreak(bytes[end])) ++end;
    line.end = end;
    line.next = end;
    if (end < bytes.size()) {
        line.next = end + 1;
        if (bytes[end] == '\r' && line.next < bytes.size() && bytes[line.next] == '\n') ++line.next;
    }
    const std::string_view text = Trim(bytes.substr(pos, end - pos));
    if (text.empty()) return line;
    if (text.front() == '[') {
        // The name runs to the last ']'; without one the line is no header.
        const std::size_t close = text.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            line.kind = Line::Kind::Header;
            line.name = CutAtNul(Trim(text.substr(1, close - 1)));
            return line;
        }
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        line.kind = Line::Kind::Other;
        return line;
    }
    line.kind = Line::Kind::Entry;
    line.name = CutAtNul(Trim(text.substr(0, equals)));
    line.value = Trim(text.substr(equals + 1));
    return line;
}

// The header line of the first section named `name`.
std::optional<Line> FindSection(std::string_view bytes, std::string_view name) {
    for (std::size_t pos = ContentStart(bytes); pos < bytes.size();) {
        const Line line = ParseLine(bytes, pos);
        if (line.kind == Line::Kind::Header && SameName(line.name, name)) return line;
        pos = line.next;
    }
    return std::nullopt;
}

std::optional<std::string_view> FindValue(std::string_view bytes, std::string_view section, std::string_view key) {
    const std::optional<Line> header = FindSection(bytes, section);
    if (!header) return std::nullopt;
    for (std::size_t pos = header->next; pos < bytes.size();) {
        const Line line = ParseLine(bytes, pos);
        if (line.kind == Line::Kind::Header) break;
        if (line.kind == Line::Kind::Entry && SameName(line.name, key)) return line.value;
        pos = line.next;
    }
    return std::nullopt;
}

// Windows drops one pair of matching quotes around a value of two or more characters.
std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool IsWritableName(std::string_view name) {
    return !name.empty() && name.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// A key holding '=' would read back as a shorter key, one starting with '[' could read as a header.
bool IsWritableKey(std::string_view key) {
    return IsWritableName(key) && key.find('=') == std::string_view::npos && key.front() != '[';
}

// A value is written up to its first line break or NUL, so that it stays one line.
std::string_view WritableValue(std::string_view value) {
    return value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
}

std::string EntryLine(std::string_view key, std::string_view value) {
    std::string line;
    line.reserve(key.size() + value.size() + 1);
    line.append(key).append(1, '=').append(value);
    return line;
}

// One key to set, after its name and value were made safe to write.
struct Pending {
    std::string_view key;
    std::string_view value;
    bool found = false;
};

// A replacement of the bytes [begin, end).
struct Edit {
    std::size_t begin;
    std::size_t end;
    std::string text;
};

// A file as one read found it: there with these bytes, or missing.
struct FileState {
    bool exists = false;
    std::string bytes;
    bool operator==(const FileState&) const = default;
};

// Reads the file at `path` into `state`; 0 (a missing file too) or why it
// could not be read.
files::ErrorCode ReadState(const std::string& path, FileState& state) {
    const files::ReadResult read = files::ReadWholeFile(path, state.bytes, kMaxProfileBytes);
    state.exists = read.ok;
    if (!read.ok) state.bytes.clear();
    return read.ok || read.missing ? 0 : read.error;
}

}  // namespace

std::string ProfileFile::Get(std::string_view section, std::string_view key, Quotes quotes, std::size_t bufferSize,
                             std::string_view defaultValue) const {
    if (bufferSize == 0) return {};
    std::string_view text;
    if (const auto value = FindValue(m_bytes, AskedName(section), AskedName(key))) {
        text = CutAtNul(*value);
        if (quotes == Quotes::Strip) text = StripQuotes(text);
    } else {
        text = CutAtNul(defaultValue);
        while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    }
    return std::string(text.substr(0, bufferSize - 1));
}

bool ProfileFile::HasSection(std::string_view section) const {
    return FindSection(m_bytes, AskedName(section)).has_value();
}

bool ProfileFile::IsEditable() const {
    if (IsUtf16(m_bytes)) return false;
    const std::string_view sample = std::string_view(m_bytes).substr(0, kTextSample);
    const auto nuls = static_cast<std::size_t>(std::count(sample.begin(), sample.end(), '\0'));
    return nuls < 2 || nuls * 4 < sample.size();
}

SetResult ProfileFile::Set(std::string_view section, std::span<const ProfileEntry> entries) {
    if (!IsEditable()) return SetResult::UnsupportedFile;
    const std::string_view sectionName = Trim(section);
    if (!IsWritableName(sectionName)) return SetResult::InvalidName;
    std::vector<Pending> pending;
    for (const ProfileEntry& entry : entries) {
        const std::string_view key = Trim(entry.key);
        if (!IsWritableKey(key)) return SetResult::InvalidName;
        const auto same = std::find_if(pending.begin(), pending.end(),
                                       [&](const Pending& p) { return SameName(p.key, key); });
        if (same != pending.end())
            same->value = WritableValue(entry.value);
        else
            pending.push_back({key, WritableValue(entry.value)});
    }
    if (pending.empty()) return SetResult::Unchanged;

    const std::string_view bytes = m_bytes;
    std::vector<Edit> edits;
    std::string added;
    std::size_t addAt = bytes.size();
    if (const std::optional<Line> header = FindSection(bytes, sectionName)) {
        // New keys go after the last non-blank line, so blank lines before the
        // next section stay where they were.
        Line last = *header;
        for (std::size_t pos = header->next; pos < bytes.size();) {
            const Line line = ParseLine(bytes, pos);
            if (line.kind == Line::Kind::Header) break;
            if (line.kind != Line::Kind::Blank) last = line;
            if (line.kind == Line::Kind::Entry) {
                for (Pending& p : pending) {
                    if (p.found || !SameName(p.key, line.name)) continue;
                    p.found = true;
                    if (line.value != p.value) edits.push_back({line.begin, line.end, EntryLine(line.name, p.value)});
                    break;
                }
            }
            pos = line.next;
        }
        addAt = last.next;
        if (last.next == last.end) added += kLineBreak;
    } else {
        if (bytes.size() > ContentStart(bytes) && !IsLineBreak(bytes.back())) added += kLineBreak;
        added.append(1, '[').append(sectionName).append("]").append(kLineBreak);
    }
    bool anyAdded = false;
    for (const Pending& p : pending) {
        if (p.found) continue;
        added.append(EntryLine(p.key, p.value)).append(kLineBreak);
        anyAdded = true;
    }
    if (anyAdded) edits.push_back({addAt, addAt, std::move(added)});
    if (edits.empty()) return SetResult::Unchanged;

    std::string result;
    std::size_t extra = 0;
    for (const Edit& edit : edits) extra += edit.text.size();
    result.reserve(bytes.size() + extra);
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        result.append(bytes.substr(copied, edit.begin - copied)).append(edit.text);
        copied = edit.end;
    }
    result.append(bytes.substr(copied));
    m_bytes = std::move(result);
    return SetResult::Changed;
}

std::vector<ProfileName> ProfileFile::Entries() const {
    std::vector<ProfileName> names;
    const std::string_view bytes = m_bytes;
    std::optional<std::string_view> section;
    for (std::size_t pos = ContentStart(bytes); pos < bytes.size();) {
        const Line line = ParseLine(bytes, pos);
        if (line.kind == Line::Kind::Header)
            section = line.name;
        else if (line.kind == Line::Kind::Entry && section)
            names.push_back({std::string(*section), std::string(line.name)});
        pos = line.next;
    }
    return names;
}

files::ErrorCode ReadProfileFile(const std::string& path, ProfileFile& file) {
    std::string bytes;
    const files::ReadResult read = files::ReadWholeFile(path, bytes, kMaxProfileBytes);
    file = ProfileFile();
    if (!read.ok) return read.missing ? 0 : read.error;
    if (IsUtf16(bytes)) return kErrorUnsupportedFile;
    file = ProfileFile(std::move(bytes));
    return 0;
}

files::ErrorCode UpdateProfileSection(const std::string& path, std::string_view section,
                                     std::span<const ProfileEntry> entries) {
    FileState read;
    if (const files::ErrorCode error = ReadState(path, read)) return error;
    for (int attempt = 0; attempt < kUpdateAttempts; ++attempt) {
        ProfileFile file(read.bytes);
        switch (file.Set(section, entries)) {
        case SetResult::InvalidName:
            return kErrorInvalidName;
        case SetResult::UnsupportedFile:
            return kErrorUnsupportedFile;
        case SetResult::Unchanged:
            return 0;
        case SetResult::Changed:
            break;
        }
        if (g_pfnBeforeReplaceCheck) g_pfnBeforeReplaceCheck(path);
        // The same bytes as read: nothing another program wrote can be lost.
        FileState now;
        if (const files::ErrorCode error = ReadState(path, now)) return error;
        if (now == read) return files::ReplaceWholeFile(path, file.Bytes());
        read = std::move(now);
    }
    return kErrorChangedMeanwhile;
}

std::string ExplainRefusal(files::ErrorCode error, const std::string& path) {
    std::string_view advice;
    switch (error) {
    case kErrorUnsupportedFile:
        advice = "Open it in a text editor such as Notepad and save it again with the encoding ANSI.";
        break;
    case files::kErrorFileTooLarge:
        advice = "No settings file of the game is that large: put a good copy of the game's scripts.ini in its place, "
                 "from a backup or the game's installation.";
        break;
    case files::kErrorDanglingLink:
        advice = "Point the link at the game's scripts.ini again, or put a copy of that file in its place.";
        break;
    case kErrorChangedMeanwhile:
        return "Another program changed \"" + path + "\" each time before it could be written. Close the programs "
               "that may be writing it (an editor, the game, a mod manager) and try again.";
    default:
        return {};
    }
    return "\"" + path + "\": " + files::DescribeError(error) + ".\n" + std::string(advice);
}

}  // namespace gameconfig
