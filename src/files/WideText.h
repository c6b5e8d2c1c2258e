#pragma once
// The program keeps every path as UTF-8 in a std::string and hands it to the
// system's wide-character functions, so folders whose names the ANSI code page
// cannot hold work too. Windows only; the texts of the form and of the files
// the program writes stay in the ANSI code page.
#include <string>
#include <string_view>

namespace files {

// UTF-16 for the system's wide functions; a byte that is no UTF-8 becomes U+FFFD.
std::wstring Widen(std::string_view utf8);
// UTF-8 of UTF-16 text.
std::string Narrow(std::wstring_view wide);

}  // namespace files
