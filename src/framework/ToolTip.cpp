#include "framework/ToolTip.h"

#include "framework/App.h"

#include <commctrl.h>

namespace {

TOOLINFOA ToolInfo(HWND tool, const char* text = nullptr) {
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = GetParent(tool);
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<char*>(text);
    return info;
}

}  // namespace

bool CToolTipCtrl::Create(HWND owner, DWORD style, int maxWidth) {
    HWND tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP | style,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               AfxGetInstanceHandle(), nullptr);
    if (!tip) return false;
    Attach(tip);
    SendMessage(TTM_SETMAXTIPWIDTH, 0, maxWidth);
    return true;
}

void CToolTipCtrl::AddTool(HWND tool, UINT flags) const {
    TOOLINFOA info = ToolInfo(tool, "");
    info.uFlags |= flags;
    SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::UpdateTipText(HWND tool, const std::string& text) const {
    TOOLINFOA info = ToolInfo(tool, text.c_str());
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::SetTitle(UINT icon, const std::string& title) const {
    SendMessage(TTM_SETTITLEA, icon, reinterpret_cast<LPARAM>(title.c_str()));
}

void CToolTipCtrl::TrackActivate(HWND tool, bool show, POINT screen) const {
    TOOLINFOA info = ToolInfo(tool);
    if (show) SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
    SendMessage(TTM_TRACKACTIVATE, show, reinterpret_cast<LPARAM>(&info));
}
