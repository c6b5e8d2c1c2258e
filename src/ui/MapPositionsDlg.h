#pragma once
// CMapPositionsDlg: the map of the ships' start positions with its legend.
#include "framework/Dialog.h"

class CMapPositionsDlg : public CDialog {
public:
    CMapPositionsDlg();
};
