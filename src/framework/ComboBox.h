#pragma once
// CComboBox: a combo-box control object; thin wrappers of the combo messages.
#include "framework/Wnd.h"

#include <string>

class CComboBox : public CWnd {
public:
    int AddString(const char* text) const { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(CB_SETCURSEL, index)); }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, index)); }
    void* GetItemDataPtr(int index) const { return reinterpret_cast<void*>(SendMessage(CB_GETITEMDATA, index)); }
    int SetItemDataPtr(int index, void* data) const { return static_cast<int>(SendMessage(CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(data))); }
    int FindString(int startAfter, const char* text) const { return static_cast<int>(SendMessage(CB_FINDSTRING, startAfter, reinterpret_cast<LPARAM>(text))); }
    BOOL SetEditSel(int start, int end) const { return static_cast<BOOL>(SendMessage(CB_SETEDITSEL, 0, MAKELPARAM(start, end))); }
    // The text of item `index`; empty when there is no such item.
    std::string GetLBText(int index) const;
};
