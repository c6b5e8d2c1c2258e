#pragma once
#include <cstdint>
#include <string>

#include "setups/Archive.h"

// One saved setup: the form's ship texts, mode flags and comment under a title.
class CSkirmakerData {
public:
    static constexpr ArchiveClass kClass{"CSkirmakerData", 1};

    // Reads or writes the fields in declaration order, which is their order in
    // the data file.
    void Serialize(CArchive& ar);

    bool operator==(const CSkirmakerData&) const = default;

    std::string m_strTitle;
    std::string m_strShip1;
    std::string m_strShip2;
    std::string m_strShip3;
    std::string m_strShip4;
    std::string m_strShip5;
    std::string m_strShip6;
    std::string m_strShip7;
    std::string m_strShip8;
    std::string m_strShip9;
    std::string m_strShip10;
    std::string m_strShip11;
    std::string m_strShip12;
    std::string m_strShip13;
    std::string m_strShip14;
    std::string m_strSetupTitle;
    // 0 or 1 when set by the program; other values read from a file are kept.
    std::int32_t m_bHostSelectShips = 0;
    std::int32_t m_bPlayerSelectShips = 0;
    std::int32_t m_bPlayerVsAI = 0;
    std::int32_t m_bPlayerVsPlayer = 0;
    std::string m_strComments;
};
