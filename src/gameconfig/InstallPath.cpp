#include "gameconfig/InstallPath.h"

namespace gameconfig {

std::string AdoptInstallPath(std::string_view stored) {
    std::string path(stored.substr(0, stored.find('\0')));
    // An empty value becomes a single backslash: the root of the current drive.
    if (path.empty() || path.back() != '\\') path += '\\';
    return path;
}

bool HoldsScriptsFolder(const std::string& installPath) { return files::IsFolder(installPath + kScriptsFolder); }

}  // namespace gameconfig
