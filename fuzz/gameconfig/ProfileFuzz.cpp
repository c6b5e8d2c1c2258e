// Feeds the profile engine arbitrary file bytes: reads keys, writes one key,
// and checks that the write touched one line at most (or only added lines),
// that the written value reads back and that every other entry reads as before.
#include "gameconfig/ProfileFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using gameconfig::ProfileFile;
using gameconfig::Quotes;
using gameconfig::SetResult;

namespace {

// Entries compared before and after a write; enough to cover the seeds.
constexpr std::size_t kCheckedEntries = 64;

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string Trimmed(std::string text) {
    while (!text.empty() && IsBlank(text.back())) text.pop_back();
    const auto first = std::find_if(text.begin(), text.end(), [](char c) { return !IsBlank(c); });
    return std::string(first, text.end());
}

// A name as lookups compare it.
std::string Folded(const std::string& name) {
    std::string text = Trimmed(name.substr(0, name.find('\0')));
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string ReadAll(const ProfileFile& file, const std::string& section, const std::string& key) {
    return file.Get(section, key, Quotes::Keep, file.Bytes().size() + 1);
}

// Everything outside the changed span of the old bytes must be one line's
// content at most: no line break of the old file was touched.
void RequireOneLineChanged(const std::string& before, const std::string& after) {
    const std::size_t limit = std::min(before.size(), after.size());
    std::size_t prefix = 0;
    while (prefix < limit && before[prefix] == after[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < limit - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
    const std::string_view changed = std::string_view(before).substr(prefix, before.size() - prefix - suffix);
    Require(changed.find_first_of("\r\n") == std::string_view::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string section = input.ConsumeRandomLengthString(16);
    const std::string key = input.ConsumeRandomLengthString(16);
    const std::string value = input.ConsumeRandomLengthString(80);
    ProfileFile file(input.ConsumeRemainingBytesAsString());
    const std::string before = file.Bytes();

    for (std::size_t buffer : {0, 1, 8, 64}) {
        Require(file.Get(section, key, Quotes::Strip, buffer, value).size() < std::max<std::size_t>(buffer, 1));
    }
    std::vector<gameconfig::ProfileName> others = file.Entries();
    others.erase(std::remove_if(others.begin(), others.end(),
                                [&](const gameconfig::ProfileName& n) {
                                    return Folded(n.section) == Folded(section) && Folded(n.key) == Folded(key);
                                }),
                 others.end());
    if (others.size() > kCheckedEntries) others.resize(kCheckedEntries);
    std::vector<std::string> reads;
    for (const auto& n : others) reads.push_back(ReadAll(file, n.section, n.key));

    const gameconfig::ProfileEntry entry{key, value};
    const SetResult result = file.Set(section, {&entry, 1});
    if (result == SetResult::InvalidName || result == SetResult::UnsupportedFile) {
        Require(file.Bytes() == before);
        return 0;
    }
    if (result == SetResult::Unchanged) Require(file.Bytes() == before);
    RequireOneLineChanged(before, file.Bytes());
    const std::string written = Trimmed(value.substr(0, value.find_first_of(std::string("\r\n\0", 3))));
    Require(ReadAll(file, section, key) == written);
    for (std::size_t i = 0; i < others.size(); ++i) Require(ReadAll(file, others[i].section, others[i].key) == reads[i]);
    return 0;
}
