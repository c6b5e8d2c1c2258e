#pragma once
// PropPage3: the "Trouble Shooting" help page; choosing a question shows its answer.
#include "framework/ComboBox.h"
#include "framework/PropertySheet.h"

#include <string>

class PropPage3 : public CPropertyPage {
public:
    PropPage3();

    CComboBox m_comboQuestions;
    std::string m_strAnswer;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void FillQuestionList();
    void OnSelchangeQuestionList();

protected:
    MessageMap GetMessageMap() const override;
};
