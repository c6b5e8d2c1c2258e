#pragma once
// CAutoCompleteComboBox: an editable combo that completes typed text to the
// first list item beginning with it and highlights the completed tail.
#include "framework/ComboBox.h"

class CAutoCompleteComboBox : public CComboBox {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnChildNotify(UINT code) override;

    void OnEditUpdate();

    // Whether the next change of the edit text is completed. It starts on, so
    // that a change no key press preceded (a paste from the edit's context
    // menu) completes like typed text does.
    BOOL m_bAutoComplete = TRUE;
};
