#include "ui/PropPage2.h"

#include "help/HelpTexts.h"
#include "resource.h"

namespace {
constexpr MessageEntry kMessageMap[] = {
    ON_BN_CLICKED(IDC_HELP_HOST_SELECT, PropPage2, OnHostSelectShips),
    ON_BN_CLICKED(IDC_HELP_PLAYER_SELECT, PropPage2, OnPlayerSelectShips),
    ON_BN_CLICKED(IDC_HELP_PLAYER_VS_AI, PropPage2, OnPlayerVsAI),
    ON_BN_CLICKED(IDC_HELP_PLAYER_VS_PLAYER, PropPage2, OnPlayerVsPlayer),
};
}  // namespace

PropPage2::PropPage2() : CPropertyPage(IDD_PROPPAGE2, 0) {}

MessageMap PropPage2::GetMessageMap() const { return kMessageMap; }

void PropPage2::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_HELP_HOST_SELECT, m_bHostSelectShips);
    DDX_Check(pDX, IDC_HELP_PLAYER_SELECT, m_bPlayerSelectShips);
    DDX_Check(pDX, IDC_HELP_PLAYER_VS_AI, m_bPlayerVsAI);
    DDX_Check(pDX, IDC_HELP_PLAYER_VS_PLAYER, m_bPlayerVsPlayer);
    DDX_Text(pDX, IDC_HELP_SUMMARY, m_strSummary);
}

void PropPage2::OnHostSelectShips() { TickBox(&PropPage2::m_bHostSelectShips, &PropPage2::m_bPlayerSelectShips); }

void PropPage2::OnPlayerSelectShips() { TickBox(&PropPage2::m_bPlayerSelectShips, &PropPage2::m_bHostSelectShips); }

void PropPage2::OnPlayerVsAI() { TickBox(&PropPage2::m_bPlayerVsAI, &PropPage2::m_bPlayerVsPlayer); }

void PropPage2::OnPlayerVsPlayer() { TickBox(&PropPage2::m_bPlayerVsPlayer, &PropPage2::m_bPlayerVsAI); }

void PropPage2::TickBox(int PropPage2::*ticked, int PropPage2::*partner) {
    // The click has already toggled the box; a ticked box is cleared only by its partner.
    UpdateData(TRUE);
    this->*ticked = 1;
    this->*partner = 0;
    const help::GameSetupBoxes boxes{m_bPlayerVsPlayer, m_bPlayerVsAI, m_bPlayerSelectShips, m_bHostSelectShips};
    // While a pair has no box ticked the summary stays as it is.
    if (const char* summary = help::SummaryText(help::ChooseSummary(boxes))) m_strSummary = summary;
    UpdateData(FALSE);
}
