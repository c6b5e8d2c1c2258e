#include "ui/AutoCompleteComboBox.h"

BOOL CAutoCompleteComboBox::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN) {
        // Backspace and Delete must be able to remove the proposed tail.
        m_bAutoComplete = pMsg->wParam != VK_BACK && pMsg->wParam != VK_DELETE;
    }
    return CComboBox::PreTranslateMessage(pMsg);
}

BOOL CAutoCompleteComboBox::OnChildNotify(UINT code) {
    if (code != CBN_EDITUPDATE) return FALSE;
    OnEditUpdate();
    return TRUE;
}

void CAutoCompleteComboBox::OnEditUpdate() {
    if (!m_bAutoComplete) return;
    char typed[128] = {};
    const int length = ::GetWindowTextA(m_hWnd, typed, 127);
    // An emptied field (cut, or select-all and Backspace) stays empty.
    if (length <= 0) return;
    const int found = FindString(-1, typed);
    if (found == CB_ERR) return;
    // Selecting by program raises no selection-change notification.
    SetCurSel(found);
    SetEditSel(length, -1);
}
