#include "ui/MapPositionsDlg.h"

#include "resource.h"

// OK, Enter and Esc end the window through the framework; it has no handlers.
CMapPositionsDlg::CMapPositionsDlg() : CDialog(IDD_MAP_POSITIONS) {}
