#pragma once
// PropPage1: the "Dialog Controls" help page; choosing a control shows what it does.
#include "framework/ComboBox.h"
#include "framework/PropertySheet.h"

#include <string>

class PropPage1 : public CPropertyPage {
public:
    PropPage1();

    CComboBox m_comboControls;
    std::string m_strDescription;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void FillControlList();
    void OnSelchangeControlList();

protected:
    MessageMap GetMessageMap() const override;
};
