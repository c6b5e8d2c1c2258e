#include "setups/SkirmakerData.h"

void CSkirmakerData::Serialize(CArchive& ar) {
    ar.Transfer(m_strTitle);
    ar.Transfer(m_strShip1);
    ar.Transfer(m_strShip2);
    ar.Transfer(m_strShip3);
    ar.Transfer(m_strShip4);
    ar.Transfer(m_strShip5);
    ar.Transfer(m_strShip6);
    ar.Transfer(m_strShip7);
    ar.Transfer(m_strShip8);
    ar.Transfer(m_strShip9);
    ar.Transfer(m_strShip10);
    ar.Transfer(m_strShip11);
    ar.Transfer(m_strShip12);
    ar.Transfer(m_strShip13);
    ar.Transfer(m_strShip14);
    ar.Transfer(m_strSetupTitle);
    ar.Transfer(m_bHostSelectShips);
    ar.Transfer(m_bPlayerSelectShips);
    ar.Transfer(m_bPlayerVsAI);
    ar.Transfer(m_bPlayerVsPlayer);
    ar.Transfer(m_strComments);
}
