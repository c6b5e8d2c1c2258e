#include "gameconfig/InstallPath.h"

namespace gameconfig {

std::string AdoptInstallPath(std::string_view stored) {
    std::string path(stored.substr(0, stored.find('\0')));
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}

bool HoldsScriptsFolder(const std::string& installPath) {
    // An empty path would find the scripts folder in the working folder.
    return !installPath.empty() && files::IsFolder(installPath + kScriptsFolder);
}

}  // namespace gameconfig
