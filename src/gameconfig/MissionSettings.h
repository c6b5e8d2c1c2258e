#pragma once
// The mission's settings: the section of the game's scripts.ini that the
// multiplayer mission script reads, and the one record of it in the program.
#include "files/FileIO.h"
#include "gameconfig/InstallPath.h"
#include "gameconfig/ProfileFile.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The title, the fourteen ships and the two mode bit sets of the mission.
class CMissionSettings {
public:
    static constexpr int kShipCount = 14;
    // Bits of the two words, as the game reads them.
    static constexpr int kPlayerVsPlayerBit = 0;
    static constexpr int kPlayerVsAIBit = 1;
    static constexpr int kPlayerSelectShipsBit = 2;
    static constexpr int kHostSelectShipsBit = 3;

    CMissionSettings() = default;
    virtual ~CMissionSettings() = default;

    std::int32_t GetTeamSettings() const { return m_nTeamSettings; }
    void SetTeamSetting(int nBit) { m_nTeamSettings |= Bit(nBit); }
    void ClearTeamSettings() { m_nTeamSettings = 0; }
    bool HasTeamSetting(int nBit) const { return (m_nTeamSettings & Bit(nBit)) != 0; }

    std::int32_t GetPlayerShipSettings() const { return m_nPlayerShipSettings; }
    void SetPlayerShipSetting(int nBit) { m_nPlayerShipSettings |= Bit(nBit); }
    void ClearPlayerShipSettings() { m_nPlayerShipSettings = 0; }
    bool HasPlayerShipSetting(int nBit) const { return (m_nPlayerShipSettings & Bit(nBit)) != 0; }

    // Reads the 17 keys from the settings file at `path`. A key that is absent
    // or empty leaves its field as it was; a missing file is no failure.
    // Texts keep their quotes, exactly as stored. Answers 0, or why a file
    // that is there could not be read (every field is then left as it was).
    files::ErrorCode LoadFrom(const std::string& path);

    // The section as Select writes it into a file that lacks it: its header
    // and the 17 keys, each line ending in CR LF.
    std::string SectionText() const;
    // Reads the 17 keys from `text` as LoadFrom reads a file, except that
    // values are taken whole rather than cut to 63 characters; false when the
    // text has no such section.
    bool ReadSectionText(std::string_view text);

    // Writes the 17 keys into the settings file at `path` as one update.
    // Returns 0, or the error number with the file left exactly as it was.
    // Texts are written whole, cut only at a line break or NUL.
    files::ErrorCode SaveTo(const std::string& path) const;

    // Where the game's install folder is recorded; until it is set, no game is found.
    void SetInstallRecords(gameconfig::InstallRecords* records) { m_pInstallRecords = records; }

    // The game's install folder, read afresh from the records, ending in one
    // backslash: the folder this user chose while it holds the scripts
    // folder, else the game installer's; false (and `strPath` unchanged) when
    // neither can be read. `fromChoice`, when given, tells whether it is the
    // folder this user chose.
    bool GetInstallPath(std::string& strPath, bool* fromChoice = nullptr) const;
    // Makes `folder` this user's choice of the game's folder; 0 or the error.
    files::ErrorCode ChooseInstallFolder(const std::string& folder);
    // The install folder followed by the scripts folder; false as above.
    bool GetScriptsPath(std::string& strPath) const;
    // The scripts folder followed by the settings file's name; false as above.
    bool GetSettingsFilePath(std::string& strPath) const;
    // LoadFrom the game's scripts.ini; false only when its folder is unknown.
    // A file that is there but cannot be read leaves every field as it was
    // and is no failure: GetReadError says why.
    bool Load();
    // SaveTo the game's scripts.ini.
    bool Save() const;
    // Why the last GetInstallPath, Load or Save failed: the lookup's result or
    // the file system's error number.
    files::ErrorCode GetLastError() const { return m_nLastError; }
    // Why the settings file, which is there, could not be read at the last
    // Load; 0 when it was read or is not there.
    files::ErrorCode GetReadError() const { return m_nReadError; }

    std::string m_strSetup;
    // Entry N is ship N (1 to 8: the AI places A1 to A8, 9 to 14: the player
    // places P1 to P6); entry 0 is unused.
    std::array<std::string, kShipCount + 1> m_strShips;

private:
    static std::int32_t Bit(int nBit) {
        return nBit >= 0 && nBit < 32 ? static_cast<std::int32_t>(1u << nBit) : 0;
    }

    // Values are cut to bufferSize - 1 bytes, as a read into such a buffer would.
    void Read(const gameconfig::ProfileFile& file, std::size_t bufferSize);
    // Calls `use` with the 17 keys and their values, in file order.
    template <class Use>
    void WithEntries(Use use) const;

    std::int32_t m_nTeamSettings = 0;
    std::int32_t m_nPlayerShipSettings = 0;
    gameconfig::InstallRecords* m_pInstallRecords = nullptr;
    mutable files::ErrorCode m_nLastError = 0;
    files::ErrorCode m_nReadError = 0;
};

extern CMissionSettings theMissionSettings;
