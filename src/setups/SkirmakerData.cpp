#include "setups/SkirmakerData.h"

void CSkirmakerData::Fill(const std::string& title, const CSetupForm& form) {
    static_cast<CSetupForm&>(*this) = form;
    m_strTitle = title;
    m_strSetupTitle = title;
}

void CSkirmakerData::Serialize(CArchive& ar) {
    ar.Transfer(m_strTitle);
    for (const ShipPlace& place : kShipPlaces) ar.Transfer(this->*place.member);
    ar.Transfer(m_strSetupTitle);
    ar.Transfer(m_bHostSelectShips);
    ar.Transfer(m_bPlayerSelectShips);
    ar.Transfer(m_bPlayerVsAI);
    ar.Transfer(m_bPlayerVsPlayer);
    ar.Transfer(m_strComments);
}
