#include "framework/Dialog.h"

#include "framework/App.h"

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
    HWND hWnd = CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
    if (!hWnd) return -1;
    const bool disableOwner = owner && IsWindowEnabled(owner);
    if (disableOwner) EnableWindow(owner, FALSE);
    if (!m_bEndModal && !IsWindowVisible(hWnd)) ShowWindow(hWnd, SW_SHOWNORMAL);
    RunModalLoop();
    // Give the activation back before the dialog disappears, so the owner does
    // not lose its place behind other applications.
    if (disableOwner) EnableWindow(owner, TRUE);
    if (owner && GetActiveWindow() == hWnd) SetActiveWindow(owner);
    if (IsWindow(hWnd)) DestroyWindow(hWnd);
    return m_nModalResult;
}

void CDialog::RunModalLoop() {
    MSG msg;
    while (!m_bEndModal && m_hWnd) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    m_bEndModal = true;
    if (m_hWnd) {
        ShowWindow(m_hWnd, SW_HIDE);
        PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    const bool outer = m_bInUpdateData;
    m_bInUpdateData = true;
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    m_bInUpdateData = outer;
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
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        // An exception must never unwind through the system's window code.
        return FALSE;
    }
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return HandleCommand(wParam, lParam);
    case WM_NCDESTROY:
        Detach();
        return FALSE;
    default:
        break;
    }
    const MessageEntry* entry = FindMessageEntry(GetMessageMap(), message, 0, 0);
    if (!entry) return FALSE;
    m_bDefault = false;
    const LRESULT result = entry->call(this, wParam, lParam);
    if (m_bDefault) return FALSE;
    // A few messages return their value directly from a dialog procedure.
    if (message == WM_QUERYDRAGICON) return static_cast<INT_PTR>(result);
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CDialog::HandleCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
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
