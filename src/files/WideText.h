#pragma once
// The program keeps every path and message as UTF-8 in a std::string and hands
// it to the system's wide-character functions, so folders whose names the ANSI
// code page cannot hold work too. The texts of the form and of the files the
// program writes stay in the ANSI code page; these are the crossings between
// the three. Windows only.
#include <string>
#include <string_view>

namespace files {

// UTF-16 for the system's wide functions; a byte that is no UTF-8 becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
// UTF-8 of UTF-16 text.
std::string Narrow(std::wstring_view wide);

// UTF-16 of a text in the ANSI code page, as the system's ANSI messages make it.
std::wstring WidenAnsi(std::string_view ansi);
// UTF-8 of a text in the ANSI code page (a form's text put into a message).
std::string Utf8OfAnsi(std::string_view ansi);
// Turns UTF-8 `text` into the ANSI code page's bytes; false when a character
// has no place there and became "?" (no look-alike is put in its stead).
bool ToAnsi(std::string& text);

}  // namespace files
