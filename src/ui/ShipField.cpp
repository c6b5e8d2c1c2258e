#include "ui/ShipField.h"

#include "framework/App.h"
#include "resource.h"

#include <commctrl.h>

namespace {

std::string LoadText(UINT id) {
    char text[256] = {};
    LoadStringA(AfxGetInstanceHandle(), id, text, sizeof text);
    return text;
}

// What is wrong, what works, and the key that puts it in; empty when fine.
std::string TipText(const catalogue::ShipFieldCheck& check) {
    if (check.Fine()) return {};
    const UINT hint = !check.hasSuggestion          ? IDS_PICKINCATALOGUE_HINT
                      : check.suggestion.empty()    ? IDS_EMPTYFIELD_HINT
                                                    : IDS_PUTSUGGESTION_HINT;
    return catalogue::DescribeShipField(check) + "\n" + LoadText(hint);
}

}  // namespace

void CShipFieldTips::Create(HWND dialog, HWND catalogue) {
    // 200 dialog units: a tip of two or three lines.
    RECT width{0, 0, 200, 0};
    MapDialogRect(dialog, &width);
    m_pointed.Create(dialog, 0, width.right);
    m_focused.Create(dialog, TTS_BALLOON, width.right);
    m_focused.SetTitle(TTI_WARNING, LoadText(IDS_SHIPCHECK_TITLE));
    // The balloon lies over the controls below its field: clicks go through it to them.
    const HWND balloon = m_focused.m_hWnd;
    SetWindowLongPtrA(balloon, GWL_EXSTYLE, GetWindowLongPtrA(balloon, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    SetLayeredWindowAttributes(balloon, 0, 255, LWA_ALPHA);
    m_pointed.AddTool(catalogue, TTF_SUBCLASS);
    m_pointed.UpdateTipText(catalogue, LoadText(IDS_CATALOGUE_HINT));
}

void CShipField::Attach(HWND hWnd, CShipFieldTips& tips) {
    CWnd::Attach(hWnd);
    m_pTips = &tips;
    m_check = {};
    m_tip.clear();
}

void CShipField::AddTools() {
    m_pTips->m_pointed.AddTool(m_hWnd, TTF_SUBCLASS);
    m_pTips->m_focused.AddTool(m_hWnd, TTF_TRACK | TTF_ABSOLUTE);
    ShowTips(::GetFocus() == m_hWnd);
}

void CShipField::ShowCheck(catalogue::ShipFieldCheck check) {
    m_check = std::move(check);
    std::string tip = TipText(m_check);
    if (tip == m_tip) return;
    m_tip = std::move(tip);
    ShowTips(::GetFocus() == m_hWnd);
    // Drawn again, in the colour of the check.
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CShipField::PutText(const std::string& text) const {
    SendMessage(EM_SETSEL, 0, -1);
    SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CShipField::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CONTEXTMENU:
        // The dialog's menu: the ship commands besides the edit's own.
        return ::SendMessageA(::GetParent(m_hWnd), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_hWnd), lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
        if (message == WM_SETFOCUS) m_pTips->m_pLastFocused = this;
        ShowTips(message == WM_SETFOCUS);
        return result;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CShipField::ShowTips(bool focused) const {
    if (!m_pTips->m_focused.m_hWnd) return;  // not made yet
    const bool balloon = focused && !m_tip.empty();
    // One explanation at a time: no tip over the field whose balloon shows.
    m_pTips->m_pointed.UpdateTipText(m_hWnd, balloon ? std::string() : m_tip);
    m_pTips->m_focused.UpdateTipText(m_hWnd, m_tip);
    RECT field;
    GetWindowRect(m_hWnd, &field);
    m_pTips->m_focused.TrackActivate(m_hWnd, balloon, {(field.left + field.right) / 2, field.bottom});
}
