// Under wine64: Save of the mission's 17 keys into a 1 MB scripts.ini, against
// the 17 calls of WritePrivateProfileStringA that set the same keys.
#include "ScriptsIni.h"
#include "gameconfig/MissionSettings.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 10;

std::string PrepareFile(const char* name) {
    const fs::path path = fs::temp_directory_path() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << MakeScriptsIni();
    return path.string();
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool WriteWithPlatform(const CMissionSettings& settings, const std::string& path) {
    auto write = [&](const std::string& key, const std::string& value) {
        return WritePrivateProfileStringA("Mul_Skirmaker", key.c_str(), value.c_str(), path.c_str()) != 0;
    };
    bool ok = write("setup", settings.m_strSetup);
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n)
        ok = ok && write("ship" + std::to_string(n), settings.m_strShips[n]);
    return ok && write("TeamSettings", std::to_string(settings.GetTeamSettings())) &&
           write("PlayerShipSettings", std::to_string(settings.GetPlayerShipSettings()));
}

}  // namespace

int main() {
    const std::string ours = PrepareFile("skm-timing-save.ini");
    const std::string platform = PrepareFile("skm-timing-platform.ini");
    double saveSeconds = 0;
    double platformSeconds = 0;
    // Rounds alternate between the two, so that both see the same machine load.
    for (int round = 0; round < kRounds; ++round) {
        const CMissionSettings settings = MissionForRound(round);
        LARGE_INTEGER start, middle, end;
        QueryPerformanceCounter(&start);
        const bool saved = settings.SaveTo(ours) == 0;
        QueryPerformanceCounter(&middle);
        const bool written = WriteWithPlatform(settings, platform);
        QueryPerformanceCounter(&end);
        if (!saved || !written) {
            std::fprintf(stderr, "round %d: a write failed (code %lu)\n", round, GetLastError());
            return 1;
        }
        saveSeconds += Seconds(start, middle);
        platformSeconds += Seconds(middle, end);
    }
    DeleteFileA(ours.c_str());
    DeleteFileA(platform.c_str());
    std::printf("Mission settings, 1 MB scripts.ini, %d rounds:\n", kRounds);
    std::printf("  Save (one update)                  %8.2f ms\n", 1000 * saveSeconds / kRounds);
    std::printf("  17 x WritePrivateProfileStringA    %8.2f ms\n", 1000 * platformSeconds / kRounds);
    std::printf("  Save is %.1fx faster (target: at least 5x)\n", platformSeconds / saveSeconds);
    return 0;
}
