#pragma once
// Byte strings for the setup tests, written as the data file's bytes.
#include <initializer_list>
#include <string>

inline std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

// The object that introduces the record class: new-class tag, schema 1, name.
inline std::string NewClassTag() { return Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00}) + "CSkirmakerData"; }

// The body of a record whose title and setup title are `title` and whose other
// fields are empty or 0, but for `flags` (host, player select, vs AI, vs player).
inline std::string PlainBody(const std::string& title, std::initializer_list<int> flags = {0, 0, 0, 0}) {
    const std::string counted = Bytes({static_cast<int>(title.size())}) + title;
    std::string body = counted;
    body.append(14, '\0').append(counted);
    for (int flag : flags) body += Bytes({flag, 0, 0, 0});
    return body + Bytes({0x00});
}
