#include "framework/Dialog.h"

#include "framework/App.h"
#include "framework/Placement.h"

namespace {

// Sets a flag for the length of a scope, restoring its value on every way out.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : m_flag(flag), m_saved(flag) { m_flag = true; }
    ~ScopedFlag() { m_flag = m_saved; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& m_flag;
    bool m_saved;
};

// A dialog procedure answers these messages with its return value itself; every
// other handled message answers through the dialog's message-result slot.
bool AnswersDirectly(UINT message) {
    switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return true;
    default:
        return false;
    }
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* pParent) : m_nIDTemplate(templateId), m_pParentWnd(pParent) {}

CDialog::~CDialog() {
    if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

HWND CDialog::FindOwner() const {
    if (m_pParentWnd && m_pParentWnd->m_hWnd) return m_pParentWnd->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    if (main && main != this && main->m_hWnd && IsWindow(main->m_hWnd)) return main->m_hWnd;
    return nullptr;
}

INT_PTR CDialog::DoModal() {
    HWND owner = FindOwner();
    m_bEndModal = false;
    m_nModalResult = -1;
    // The owner is disabled before the dialog exists, as the platform's modal
    // dialogs do; a dialog whose owner is disabled opens centred over it.
    const bool enableOwner = owner && IsWindowEnabled(owner);
    if (enableOwner) EnableWindow(owner, FALSE);
    HWND hWnd = CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (hWnd) {
        if (!m_bEndModal && !IsWindowVisible(hWnd)) ShowWindow(hWnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    // As the platform's EndDialog: the owner is enabled before the dialog is
    // hidden, and takes the activation back, whose handling gives the focus
    // back to the control that had it before the dialog opened.
    if (enableOwner) EnableWindow(owner, TRUE);
    if (hWnd && IsWindow(hWnd)) {
        if (IsChild(hWnd, GetFocus())) SetFocus(hWnd);
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
        if (owner && GetActiveWindow() == hWnd) SetActiveWindow(owner);
        DestroyWindow(hWnd);
    }
    return hWnd ? m_nModalResult : -1;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (!m_bEndModal && m_hWnd) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        const BOOL handled = AfxCallGuarded(msg.hwnd, msg.message, msg.wParam, FALSE,
                                            [&] { return AfxPreTranslateMessage(&msg); });
        if (!handled) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEndModal = true;
    if (m_hWnd) PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    const ScopedFlag transferring(m_bInUpdateData);
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return IsDialogMessageA(m_hWnd, pMsg); }

MessageMap CDialog::GetMessageMap() const { return {}; }

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = message == WM_INITDIALOG ? reinterpret_cast<CDialog*>(lParam)
                                             : static_cast<CDialog*>(CWnd::FromHandle(hWnd));
    return Dispatch(self, hWnd, message, wParam, lParam);
}

INT_PTR CDialog::Dispatch(CDialog* self, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages such as WM_SETFONT arrive before WM_INITDIALOG, when no object is attached yet.
    if (!self) return FALSE;
    if (message == WM_INITDIALOG) self->Attach(hWnd);
    return AfxCallGuarded(hWnd, message, wParam, INT_PTR{FALSE},
                          [&] { return self->HandleMessage(message, wParam, lParam); });
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return HandleInitDialog();
    if (message == WM_COMMAND) return HandleCommand(wParam, lParam);
    const MessageEntry* entry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!entry) return FALSE;
    m_bDefault = false;
    const LRESULT result = entry->call(this, wParam, lParam);
    if (m_bDefault) return FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CDialog::HandleInitDialog() {
    // A top-level dialog that opens hidden and that its initialisation did not
    // move or show opens centred: over its owner while the owner is disabled
    // for it, or on the screen when it has none.
    RECT before{};
    GetWindowRect(m_hWnd, &before);
    const bool wasHidden = !IsWindowVisible(m_hWnd);
    BOOL result = FALSE;
    try {
        result = OnInitDialog();
    } catch (...) {
        // A dialog left half set up is no dialog to work in: it ends at once,
        // by no command, so nothing a command would write is written.
        AfxReportException(m_hWnd, WM_INITDIALOG, 0);
        EndDialog(IDABORT);
        return FALSE;
    }
    RECT after{};
    GetWindowRect(m_hWnd, &after);
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    const bool moved = before.left != after.left || before.top != after.top;
    const bool shownOrChild = GetWindowLongPtrA(m_hWnd, GWL_STYLE) & (WS_VISIBLE | WS_CHILD);
    if (m_hWnd && wasHidden && !moved && !shownOrChild && (!owner || !IsWindowEnabled(owner)))
        AfxCenterWindow(m_hWnd, owner);
    return result;
}

INT_PTR CDialog::HandleCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    // A command from a menu (code 0) and from an accelerator (code 1) is one command.
    const UINT code = control ? HIWORD(wParam) : 0;
    if (control) {
        // A value set by a transfer never runs a change handler.
        if (m_bInUpdateData) return TRUE;
        CWnd* child = CWnd::FromHandle(control);
        if (child && child != this && child->OnChildNotify(code)) return TRUE;
    }
    if (const MessageEntry* entry = FindMessageEntry(GetMessageMap(), WM_COMMAND, code, id)) {
        entry->call(this, wParam, lParam);
        return TRUE;
    }
    // Enter, Esc and the caption's close box arrive as IDOK and IDCANCEL.
    if (code == BN_CLICKED || !control) {
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd;) {
        CWnd* object = CWnd::FromHandle(hWnd);
        if (object && object->PreTranslateMessage(pMsg)) return TRUE;
        if (!(GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)) break;
        hWnd = GetParent(hWnd);
    }
    return FALSE;
}
