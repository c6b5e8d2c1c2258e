// Loading and saving the mission settings in the game's own scripts.ini.
#include "gameconfig/InstallPath.h"
#include "gameconfig/MissionSettings.h"

#include <windows.h>

namespace {

bool SettingsFilePath(const CMissionSettings& settings, std::string& path) {
    if (!settings.GetScriptsPath(path)) return false;
    path += gameconfig::kSettingsFileName;
    return true;
}

}  // namespace

bool CMissionSettings::Load() {
    std::string path;
    if (!SettingsFilePath(*this, path)) return false;
    LoadFrom(path);
    return true;
}

bool CMissionSettings::Save() const {
    std::string path;
    if (!SettingsFilePath(*this, path)) return false;
    const files::ErrorCode error = SaveTo(path);
    if (error == 0) return true;
    // Our own refusals (unsupported file, bad name) set no last error of their
    // own, and the caller's "code %d" message reads it.
    SetLastError(error);
    return false;
}
