#include "ui/PropPage3.h"

#include "ui/HelpList.h"
#include "resource.h"

namespace {
constexpr MessageEntry kMessageMap[] = {
    ON_CBN_SELCHANGE(IDC_HELP_LIST, PropPage3, OnSelchangeQuestionList),
};
}  // namespace

PropPage3::PropPage3() : CPropertyPage(IDD_PROPPAGE3, 0) {}

MessageMap PropPage3::GetMessageMap() const { return kMessageMap; }

void PropPage3::DoDataExchange(CDataExchange* pDX) {
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HELP_LIST, m_comboQuestions);
    DDX_Text(pDX, IDC_HELP_ANSWER, m_strAnswer);
}

BOOL PropPage3::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    FillQuestionList();
    return TRUE;
}

void PropPage3::FillQuestionList() { FillHelpList(m_comboQuestions, help::QuestionList()); }

void PropPage3::OnSelchangeQuestionList() {
    UpdateData(TRUE);
    if (const char* answer = ChosenHelpText(m_comboQuestions, help::FindAnswer)) m_strAnswer = answer;
    UpdateData(FALSE);
}
