#include "ui/PropPage1.h"

#include "ui/HelpList.h"
#include "resource.h"

namespace {
constexpr MessageEntry kMessageMap[] = {
    ON_CBN_SELCHANGE(IDC_HELP_LIST, PropPage1, OnSelchangeControlList),
};
}  // namespace

PropPage1::PropPage1() : CPropertyPage(IDD_PROPPAGE1, 0) {}

MessageMap PropPage1::GetMessageMap() const { return kMessageMap; }

void PropPage1::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HELP_LIST, m_comboControls);
    DDX_Text(pDX, IDC_HELP_DESCRIPTION, m_strDescription);
}

BOOL PropPage1::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    FillControlList();
    return TRUE;
}

void PropPage1::FillControlList() { FillHelpList(m_comboControls, help::ControlList()); }

void PropPage1::OnSelchangeControlList() {
    UpdateData(TRUE);
    if (const char* description = ChosenHelpText(m_comboControls, help::FindDescription)) m_strDescription = description;
    UpdateData(FALSE);
}
