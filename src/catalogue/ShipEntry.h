#pragma once
// CShipEntry: one entry of the ship catalogue, as the catalogue combo shows it.
#include <string>

class CShipEntry {
public:
    std::string m_strName;     // the sub name: the entry's key
    std::string m_strRace;
    std::string m_strClass;
    std::string m_strSubName;  // the sub name again: the value shown
};
