#include "gameconfig/InstallPath.h"

namespace gameconfig {

bool AdoptInstallPath(bool found, std::string_view stored, std::string& path) {
    if (!found) return false;
    std::string text(stored.substr(0, stored.find('\0')));
    // An empty value becomes a single backslash: the root of the current drive.
    if (text.empty() || text.back() != '\\') text += '\\';
    path = std::move(text);
    return true;
}

}  // namespace gameconfig
