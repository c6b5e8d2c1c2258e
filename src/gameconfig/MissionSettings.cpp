#include "gameconfig/MissionSettings.h"

#include "gameconfig/ProfileFile.h"

#include <climits>
#include <cstdint>

CMissionSettings theMissionSettings;

namespace {

constexpr std::string_view kSection = "Mul_Skirmaker";
constexpr std::string_view kSetupKey = "setup";
constexpr std::string_view kTeamSettingsKey = "TeamSettings";
constexpr std::string_view kPlayerShipSettingsKey = "PlayerShipSettings";

std::string ShipKey(int nShip) { return "ship" + std::to_string(nShip); }

bool IsAtoiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The value the runtime's atoi gives: leading blanks, an optional sign, then
// digits up to the first other character; 0 without digits. Out-of-range
// values stop at the int limits, as the Windows runtime's atoi does.
std::int32_t AtoiValue(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && IsAtoiSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > static_cast<long long>(INT32_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

// Fields keep their value when the key is absent or empty.
void ReadText(const gameconfig::ProfileFile& file, std::string_view key, std::size_t bufferSize, std::string& field) {
    std::string text = file.Get(kSection, key, gameconfig::Quotes::Keep, bufferSize);
    if (!text.empty()) field = std::move(text);
}

void ReadWord(const gameconfig::ProfileFile& file, std::string_view key, std::size_t bufferSize, std::int32_t& word) {
    const std::string text = file.Get(kSection, key, gameconfig::Quotes::Keep, bufferSize);
    if (!text.empty()) word = AtoiValue(text);
}

}  // namespace

files::ErrorCode CMissionSettings::LoadFrom(const std::string& path) {
    gameconfig::ProfileFile file;
    if (const files::ErrorCode error = gameconfig::ReadProfileFile(path, file)) return error;
    Read(file, gameconfig::kReadBufferSize);
    return 0;
}

void CMissionSettings::Read(const gameconfig::ProfileFile& file, std::size_t bufferSize) {
    ReadText(file, kSetupKey, bufferSize, m_strSetup);
    for (int nShip = 1; nShip <= kShipCount; ++nShip) ReadText(file, ShipKey(nShip), bufferSize, m_strShips[nShip]);
    ReadWord(file, kTeamSettingsKey, bufferSize, m_nTeamSettings);
    ReadWord(file, kPlayerShipSettingsKey, bufferSize, m_nPlayerShipSettings);
}

bool CMissionSettings::ReadSectionText(std::string_view text) {
    const gameconfig::ProfileFile file{std::string(text)};
    if (!file.HasSection(kSection)) return false;
    Read(file, std::string::npos);
    return true;
}

std::string CMissionSettings::SectionText() const {
    gameconfig::ProfileFile file;
    WithEntries([&](std::span<const gameconfig::ProfileEntry> entries) { file.Set(kSection, entries); });
    return file.Bytes();
}

bool CMissionSettings::GetInstallPath(std::string& strPath, bool* fromChoice) const {
    if (!m_pInstallRecords) {
        m_nLastError = files::kErrorNotFound;
        return false;
    }
    // A chosen folder that has since lost the game gives way to the installer's.
    if (const std::string chosen = gameconfig::AdoptInstallPath(m_pInstallRecords->ChosenFolder());
        gameconfig::HoldsScriptsFolder(chosen)) {
        m_nLastError = 0;
        strPath = chosen;
        if (fromChoice) *fromChoice = true;
        return true;
    }
    std::string stored;
    m_nLastError = m_pInstallRecords->ReadInstallPath(stored);
    if (m_nLastError != 0) return false;
    std::string path = gameconfig::AdoptInstallPath(stored);
    // An empty value names no folder: the game is as good as not recorded.
    if (path.empty()) {
        m_nLastError = files::kErrorNotFound;
        return false;
    }
    strPath = std::move(path);
    if (fromChoice) *fromChoice = false;
    return true;
}

files::ErrorCode CMissionSettings::ChooseInstallFolder(const std::string& folder) {
    return m_pInstallRecords ? m_pInstallRecords->RememberChosenFolder(folder) : files::kErrorNotFound;
}

bool CMissionSettings::GetScriptsPath(std::string& strPath) const {
    if (!GetInstallPath(strPath)) return false;
    strPath += gameconfig::kScriptsFolder;
    return true;
}

bool CMissionSettings::GetSettingsFilePath(std::string& strPath) const {
    if (!GetScriptsPath(strPath)) return false;
    strPath += gameconfig::kSettingsFileName;
    return true;
}

bool CMissionSettings::Load() {
    std::string path;
    if (!GetSettingsFilePath(path)) return false;
    m_nReadError = LoadFrom(path);
    return true;
}

bool CMissionSettings::Save() const {
    std::string path;
    if (!GetSettingsFilePath(path)) return false;
    m_nLastError = SaveTo(path);
    return m_nLastError == 0;
}

files::ErrorCode CMissionSettings::SaveTo(const std::string& path) const {
    files::ErrorCode error = 0;
    WithEntries([&](std::span<const gameconfig::ProfileEntry> entries) {
        error = gameconfig::UpdateProfileSection(path, kSection, entries);
    });
    return error;
}

template <class Use>
void CMissionSettings::WithEntries(Use use) const {
    std::array<std::string, kShipCount> shipKeys;
    for (int nShip = 1; nShip <= kShipCount; ++nShip) shipKeys[nShip - 1] = ShipKey(nShip);
    const std::string team = std::to_string(m_nTeamSettings);
    const std::string playerShips = std::to_string(m_nPlayerShipSettings);
    // The keys in the order a new section lists them.
    std::array<gameconfig::ProfileEntry, kShipCount + 3> entries;
    entries[0] = {kSetupKey, m_strSetup};
    for (int nShip = 1; nShip <= kShipCount; ++nShip) entries[nShip] = {shipKeys[nShip - 1], m_strShips[nShip]};
    entries[kShipCount + 1] = {kTeamSettingsKey, team};
    entries[kShipCount + 2] = {kPlayerShipSettingsKey, playerShips};
    use(std::span<const gameconfig::ProfileEntry>(entries));
}
