#include "framework/PropertySheet.h"

#include "framework/App.h"
#include "framework/Placement.h"

namespace {

// The style and extended style that Create asks for, read by the pre-create
// callback (which gets no pointer of ours) on the same thread.
struct PendingStyle {
    DWORD style;
    DWORD exStyle;
};
thread_local PendingStyle t_pendingStyle{};

constexpr DWORD kDefaultModelessStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CONTEXTHELP | WS_VISIBLE;

// The first fields of an extended dialog template.
struct DialogTemplateExHeader {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
};

// Sets the sheet template's styles, keeping the bits that describe its font
// data; the window is made hidden and shown once its buttons are gone.
void ApplyPendingStyle(void* dialogTemplate) {
    const DWORD style = t_pendingStyle.style & ~WS_VISIBLE;
    constexpr DWORD kLayoutBits = DS_SETFONT | DS_FIXEDSYS;
    auto* extended = static_cast<DialogTemplateExHeader*>(dialogTemplate);
    if (extended->signature == 0xFFFF) {
        extended->style = (extended->style & kLayoutBits) | style;
        extended->exStyle = t_pendingStyle.exStyle;
    } else {
        auto* plain = static_cast<DLGTEMPLATE*>(dialogTemplate);
        plain->style = (plain->style & kLayoutBits) | style;
        plain->dwExtendedStyle = t_pendingStyle.exStyle;
    }
}

}  // namespace

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId) : CDialog(templateId), m_nIDCaption(captionId) {}

BOOL CPropertyPage::PreTranslateMessage(MSG*) { return FALSE; }

PROPSHEETPAGEA CPropertyPage::MakePageDescription() {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = AfxGetInstanceHandle();
    page.pszTemplate = MAKEINTRESOURCEA(m_nIDTemplate);
    if (m_nIDCaption != 0) {
        page.dwFlags |= PSP_USETITLE;
        page.pszTitle = MAKEINTRESOURCEA(m_nIDCaption);
    }
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // WM_INITDIALOG carries the page description, whose lParam is the object.
    CDialog* self = message == WM_INITDIALOG
                        ? reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam)
                        : static_cast<CDialog*>(CWnd::FromHandle(hWnd));
    return Dispatch(self, hWnd, message, wParam, lParam);
}

CPropertySheet::~CPropertySheet() {
    if (!m_hWnd || !IsWindow(m_hWnd)) return;
    // Deleted while its window lives: the window must not delete it again.
    DestroyWindow(Detach());
}

void CPropertySheet::SetTitle(const char* text, UINT) { m_strCaption = text; }

void CPropertySheet::AddPage(std::unique_ptr<CPropertyPage> page) { m_pages.push_back(std::move(page)); }

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD style, DWORD exStyle) {
    if (m_hWnd || m_pages.empty()) return FALSE;
    std::vector<PROPSHEETPAGEA> descriptions;
    descriptions.reserve(m_pages.size());
    for (auto& page : m_pages) descriptions.push_back(page->MakePageDescription());

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_MODELESS | PSH_NOAPPLYNOW | PSH_PROPSHEETPAGE | PSH_USECALLBACK;
    header.hwndParent = pParentWnd ? pParentWnd->m_hWnd : nullptr;
    header.hInstance = AfxGetInstanceHandle();
    header.pszCaption = m_strCaption.c_str();
    header.nPages = static_cast<UINT>(descriptions.size());
    header.ppsp = descriptions.data();
    header.pfnCallback = SheetCallback;

    t_pendingStyle = {style == static_cast<DWORD>(-1) ? kDefaultModelessStyle : style, exStyle};
    const INT_PTR created = PropertySheetA(&header);
    HWND hWnd = reinterpret_cast<HWND>(created);
    if (created == 0 || created == -1 || !IsWindow(hWnd)) return FALSE;

    Attach(hWnd);
    RemoveButtons();
    // An unowned sheet opens centred over the application's main window.
    CWnd* main = AfxGetMainWnd();
    AfxCenterWindow(hWnd, pParentWnd ? pParentWnd->m_hWnd : main ? main->m_hWnd : nullptr);
    if (t_pendingStyle.style & WS_VISIBLE) ShowWindow(hWnd, SW_SHOWNORMAL);
    return TRUE;
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE) ApplyPendingStyle(reinterpret_cast<void*>(lParam));
    return 0;
}

// A modeless sheet has nothing to confirm: hide the button row and cut it off.
void CPropertySheet::RemoveButtons() {
    RECT window{};
    RECT button{};
    GetWindowRect(m_hWnd, &window);
    if (HWND ok = GetDlgItem(IDOK); ok && GetWindowRect(ok, &button)) {
        SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, button.top - window.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (int id : {IDOK, IDCANCEL, IDHELP}) {
        if (HWND control = GetDlgItem(id)) {
            ShowWindow(control, SW_HIDE);
            EnableWindow(control, FALSE);
        }
    }
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) { return PropSheet_IsDialogMessage(m_hWnd, pMsg); }

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // The close box and the system menu end a modeless sheet.
        DestroyWindow(m_hWnd);
        return 0;
    }
    HWND hWnd = m_hWnd;
    const LRESULT result = DefWindowProc(message, wParam, lParam);
    // Esc cancels the sheet, which leaves it without a current page: end it.
    if (message == WM_COMMAND && IsWindow(hWnd) && !PropSheet_GetCurrentPageHwnd(hWnd)) DestroyWindow(hWnd);
    return result;
}

void CPropertySheet::PostNcDestroy() { delete this; }
