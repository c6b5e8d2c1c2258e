// The setup dialog's ship-name check: every ship field is checked against the
// known ships, a flagged one is drawn in the warning colour and says why, and
// the right name goes in with one action: the field's suggestion, or the ship
// the catalogue shows.
#include "framework/App.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

namespace {

// Dark red: it stands out from the window text and reads on the window's background.
constexpr COLORREF kWarningText = RGB(192, 0, 0);

// Greys the entries of a ship field's menu that have nothing to act on.
void EnableEntries(HMENU menu, const CShipField& field, bool catalogueShowsShip) {
    DWORD start = 0, end = 0;
    field.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const bool selected = start != end;
    const std::pair<UINT, bool> entries[] = {
        {IDM_PUTSHIPNAME, !field.Check().Fine() && field.Check().hasSuggestion},
        {IDM_PUTCATALOGUESHIP, catalogueShowsShip},
        {WM_UNDO, field.SendMessage(EM_CANUNDO) != 0},
        {WM_CUT, selected},
        {WM_COPY, selected},
        {WM_PASTE, IsClipboardFormatAvailable(CF_TEXT) != FALSE},
        {WM_CLEAR, selected},
        {EM_SETSEL, GetWindowTextLengthA(field.m_hWnd) > 0},
    };
    for (const auto& [id, enabled] : entries) EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

// Where a field's menu opens: at the mouse, or under the field when the keyboard asked for it.
POINT MenuPoint(HWND field, POINT at) {
    if (at.x != -1 || at.y != -1) return at;
    RECT rect;
    GetWindowRect(field, &rect);
    return {rect.left, rect.bottom};
}

}  // namespace

void CSkirmakerDlg::AttachShipFields() {
    for (std::size_t i = 0; i < kShipPlaces.size(); ++i)
        m_shipFields[i].Attach(GetDlgItem(kShipPlaces[i].controlId), m_shipTips);
    m_shipTips.m_pLastFocused = nullptr;
}

void CSkirmakerDlg::CreateShipTips() {
    COMBOBOXINFO catalogue{};
    catalogue.cbSize = sizeof catalogue;
    GetComboBoxInfo(GetDlgItem(IDC_CATALOGUE), &catalogue);
    m_shipTips.Create(m_hWnd, catalogue.hwndItem);
    for (CShipField& field : m_shipFields) field.AddTools();
}

void CSkirmakerDlg::CheckShipFields() {
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n) CheckShip(n);
}

void CSkirmakerDlg::CheckShip(int n) {
    // Before the game's ships are known, a field naming one would be flagged wrongly.
    if (!m_bGameShipsKnown) return;
    m_shipFields[n - 1].ShowCheck(catalogue::CheckShipField(this->*kShipPlaces[n - 1].member, m_knownShips));
}

CShipField* CSkirmakerDlg::ShipFieldOf(HWND window) {
    for (CShipField& field : m_shipFields)
        if (field.m_hWnd == window) return &field;
    return nullptr;
}

HBRUSH CSkirmakerDlg::OnCtlColorEdit(HDC dc, HWND control) {
    const CShipField* field = ShipFieldOf(control);
    if (!field || field->Check().Fine()) {
        Default();
        return nullptr;
    }
    SetTextColor(dc, kWarningText);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return GetSysColorBrush(COLOR_WINDOW);
}

void CSkirmakerDlg::OnContextMenu(HWND window, POINT at) {
    CShipField* field = ShipFieldOf(window);
    if (!field) {
        Default();
        return;
    }
    ::SetFocus(field->m_hWnd);
    HMENU menu = LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_SHIPFIELD));
    HMENU popup = GetSubMenu(menu, 0);
    EnableEntries(popup, *field, !CatalogueShip().empty());
    const POINT where = MenuPoint(field->m_hWnd, at);
    const UINT command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, where.x, where.y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
    if (command == IDM_PUTSHIPNAME) {
        PutSuggestion(*field);
    } else if (command == IDM_PUTCATALOGUESHIP) {
        PutCatalogueShip(*field);
    } else if (command != 0) {
        // An edit command: the field carries out its message (Select All selects from 0 to the end).
        field->SendMessage(command, 0, command == EM_SETSEL ? -1 : 0);
    }
}

bool CSkirmakerDlg::InCatalogue(HWND window) const {
    return window && (window == m_comboCatalogue.m_hWnd || IsChild(m_comboCatalogue.m_hWnd, window));
}

bool CSkirmakerDlg::TakesShipKey(HWND window) { return InCatalogue(window) || ShipFieldOf(window); }

void CSkirmakerDlg::OnPutShipName() {
    HWND focus = ::GetFocus();
    if (InCatalogue(focus)) {
        PutCatalogueShip(m_shipTips.m_pLastFocused ? *m_shipTips.m_pLastFocused : m_shipFields[0]);
    } else if (const CShipField* field = ShipFieldOf(focus)) {
        PutSuggestion(*field);
    }
}

void CSkirmakerDlg::PutSuggestion(const CShipField& field) const {
    const catalogue::ShipFieldCheck& check = field.Check();
    if (check.Fine() || !check.hasSuggestion) {
        MessageBeep(MB_OK);
        return;
    }
    field.PutText(check.suggestion);
}

void CSkirmakerDlg::PutCatalogueShip(const CShipField& field) const {
    const std::string ship = CatalogueShip();
    if (ship.empty()) {
        MessageBeep(MB_OK);
        return;
    }
    field.PutText(catalogue::QuotedShipName(ship));
}

std::string CSkirmakerDlg::CatalogueShip() const {
    const std::string shown = m_comboCatalogue.GetWindowText();
    if (m_knownShips.Contains(shown)) return shown;
    const std::string* known = m_knownShips.FindIgnoringCase(shown);
    return known ? *known : std::string();
}
