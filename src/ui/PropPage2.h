#pragma once
// PropPage2: the "Game Set up" help page; a game mode and a ship choice, each
// ticked as one of a pair, show the steps for that combination.
#include "framework/PropertySheet.h"

#include <string>

class PropPage2 : public CPropertyPage {
public:
    PropPage2();

    int m_bHostSelectShips = 0;
    int m_bPlayerSelectShips = 0;
    int m_bPlayerVsAI = 0;
    int m_bPlayerVsPlayer = 0;
    std::string m_strSummary;

    void DoDataExchange(CDataExchange* pDX) override;

    void OnHostSelectShips();
    void OnPlayerSelectShips();
    void OnPlayerVsAI();
    void OnPlayerVsPlayer();

protected:
    MessageMap GetMessageMap() const override;

private:
    // Ticks the clicked box, clears its partner and shows the summary that fits.
    void TickBox(int PropPage2::*ticked, int PropPage2::*partner);
};
