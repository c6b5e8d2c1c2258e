#pragma once
// Dialog data exchange: one binding per control, called in member order by
// DoDataExchange; the direction is the exchange's.
#include "framework/Wnd.h"

#include <string>

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}
    BOOL m_bSaveAndValidate;  // TRUE: controls into members
    CWnd* m_pDlgWnd;
};

// An edit's or static's text.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
// A check box's state as 0 or 1.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// Attaches a control object to its control, once.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
