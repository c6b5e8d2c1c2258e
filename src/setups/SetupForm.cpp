#include "setups/SetupForm.h"

#include "resource.h"

#include <algorithm>

const std::array<ShipPlace, CMissionSettings::kShipCount> kShipPlaces = {{
    {"A1", IDC_SHIP1, &CSetupForm::m_strShip1},
    {"A2", IDC_SHIP2, &CSetupForm::m_strShip2},
    {"A3", IDC_SHIP3, &CSetupForm::m_strShip3},
    {"A4", IDC_SHIP4, &CSetupForm::m_strShip4},
    {"A5", IDC_SHIP5, &CSetupForm::m_strShip5},
    {"A6", IDC_SHIP6, &CSetupForm::m_strShip6},
    {"A7", IDC_SHIP7, &CSetupForm::m_strShip7},
    {"A8", IDC_SHIP8, &CSetupForm::m_strShip8},
    {"P1", IDC_SHIP9, &CSetupForm::m_strShip9},
    {"P2", IDC_SHIP10, &CSetupForm::m_strShip10},
    {"P3", IDC_SHIP11, &CSetupForm::m_strShip11},
    {"P4", IDC_SHIP12, &CSetupForm::m_strShip12},
    {"P5", IDC_SHIP13, &CSetupForm::m_strShip13},
    {"P6", IDC_SHIP14, &CSetupForm::m_strShip14},
}};

const std::array<ModeBox, 4> kModeBoxes = {{
    {IDC_PLAYER_VS_PLAYER, &CSetupForm::m_bPlayerVsPlayer, &CSetupForm::m_bPlayerVsAI,
     &CMissionSettings::SetTeamSetting, CMissionSettings::kPlayerVsPlayerBit, PlayerShips::Unchanged},
    {IDC_PLAYER_VS_AI, &CSetupForm::m_bPlayerVsAI, &CSetupForm::m_bPlayerVsPlayer, &CMissionSettings::SetTeamSetting,
     CMissionSettings::kPlayerVsAIBit, PlayerShips::Unchanged},
    {IDC_PLAYER_SELECT_SHIPS, &CSetupForm::m_bPlayerSelectShips, &CSetupForm::m_bHostSelectShips,
     &CMissionSettings::SetPlayerShipSetting, CMissionSettings::kPlayerSelectShipsBit, PlayerShips::Disabled},
    {IDC_HOST_SELECT_SHIPS, &CSetupForm::m_bHostSelectShips, &CSetupForm::m_bPlayerSelectShips,
     &CMissionSettings::SetPlayerShipSetting, CMissionSettings::kHostSelectShipsBit, PlayerShips::Enabled},
}};

namespace {

bool HasBit(const CMissionSettings& settings, const ModeBox& box) {
    return box.setBit == &CMissionSettings::SetTeamSetting ? settings.HasTeamSetting(box.bit)
                                                           : settings.HasPlayerShipSetting(box.bit);
}

}  // namespace

void TickModeBox(CSetupForm& form, const ModeBox& box, CMissionSettings& settings) {
    form.*box.member = 1;
    form.*box.partner = 0;
    (settings.*box.setBit)(box.bit);
}

CSetupForm CSetupForm::FromMission(const CMissionSettings& settings) {
    CSetupForm form;
    form.m_strSetupTitle = settings.m_strSetup;
    for (std::size_t i = 0; i < kShipPlaces.size(); ++i) form.*kShipPlaces[i].member = settings.m_strShips[i + 1];
    for (const ModeBox& box : kModeBoxes) form.*box.member = HasBit(settings, box) ? 1 : 0;
    // Replayed in table order, a box clears its partner: the first of a pair wins.
    for (const ModeBox& box : kModeBoxes) {
        if (form.*box.member == 1) form.*box.partner = 0;
    }
    return form;
}

void CSetupForm::ApplyTo(CMissionSettings& settings) const {
    settings.ClearPlayerShipSettings();
    settings.ClearTeamSettings();
    settings.m_strSetup = m_strSetupTitle;
    for (std::size_t i = 0; i < kShipPlaces.size(); ++i) settings.m_strShips[i + 1] = this->*kShipPlaces[i].member;
    for (const ModeBox& box : kModeBoxes) {
        if (this->*box.member != 0) (settings.*box.setBit)(box.bit);
    }
}

bool CSetupForm::HasCompleteMode() const {
    return std::ranges::all_of(kModeBoxes, [&](const ModeBox& box) { return this->*box.member || this->*box.partner; });
}

std::string CSetupForm::SharedText() const {
    CMissionSettings settings;
    ApplyTo(settings);
    const std::string title = m_strSetupTitle.substr(0, m_strSetupTitle.find_first_of("\r\n"));
    return "; Skirmaker setup" + (title.empty() ? "" : ": " + title) + "\r\n" + settings.SectionText();
}

CSetupForm::SharedTextProblem CSetupForm::ReadSharedText(std::string_view text) {
    if (text.size() > kMaxSharedTextBytes) return SharedTextProblem::TooLarge;
    CMissionSettings read;
    if (!read.ReadSectionText(text)) return SharedTextProblem::NoSection;
    CSetupForm form = FromMission(read);
    // Only words that ticked boxes give back, one box of each pair, are a mode to play.
    CMissionSettings rebuilt;
    form.ApplyTo(rebuilt);
    if (!form.HasCompleteMode() || rebuilt.GetTeamSettings() != read.GetTeamSettings() ||
        rebuilt.GetPlayerShipSettings() != read.GetPlayerShipSettings())
        return SharedTextProblem::UnplayableMode;
    form.m_strComments = std::move(m_strComments);
    *this = std::move(form);
    return SharedTextProblem::None;
}

CSetupForm CSetupForm::Cleared(const std::string& appliedTitle) {
    CSetupForm form;
    form.m_strSetupTitle = appliedTitle;
    return form;
}
