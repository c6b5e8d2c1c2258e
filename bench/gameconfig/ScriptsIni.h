#pragma once
// A game scripts.ini of about 1 MB: some 500 sections of script settings,
// with the mission's section in the middle.
#include "gameconfig/MissionSettings.h"

#include <string>

inline std::string MakeScriptsIni() {
    constexpr int kSections = 500;
    constexpr int kKeysPerSection = 40;
    std::string bytes;
    bytes.reserve(1100000);
    for (int s = 0; s < kSections; ++s) {
        if (s == kSections / 2) {
            bytes += "[Mul_Skirmaker]\r\nsetup=Old\r\n";
            for (int n = 1; n <= CMissionSettings::kShipCount; ++n) bytes += "ship" + std::to_string(n) + "=\"Old\"\r\n";
            bytes += "TeamSettings=1\r\nPlayerShipSettings=4\r\n\r\n";
        }
        bytes += "[Script_" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < kKeysPerSection; ++k)
            bytes += "parameter_" + std::to_string(k) + " = value of script " + std::to_string(s) + ", item " +
                     std::to_string(k) + "\r\n";
        bytes += "\r\n";
    }
    return bytes;
}

// The mission's settings, different on odd and even rounds so that every Save changes the file.
inline CMissionSettings MissionForRound(long round) {
    CMissionSettings settings;
    const std::string tag = round % 2 ? "odd" : "even";
    settings.m_strSetup = "Setup " + tag;
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n) settings.m_strShips[n] = "\"Ship " + tag + "\"";
    settings.SetTeamSetting(round % 2);
    settings.SetPlayerShipSetting(2 + round % 2);
    return settings;
}
