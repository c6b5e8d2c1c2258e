#pragma once
// CDialog: a dialog built from a resource template, run modally by the
// framework's own message loop, with an event table and data exchange.
#include "framework/DataExchange.h"
#include "framework/MessageMap.h"
#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* pParent = nullptr);
    ~CDialog() override;

    // Disables the owner, creates the dialog, centres it and runs the message
    // loop until EndDialog; then gives the owner back its activation and focus,
    // destroys the window and returns the result (-1 if the template cannot be
    // created, IDABORT if OnInitDialog threw, which is reported). A dialog
    // object may run it again after it returns.
    INT_PTR DoModal();
    void EndDialog(int result);

    // Copies controls into members (TRUE) or members into controls (FALSE).
    // The dialog ignores its controls' notifications meanwhile.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange* pDX);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The window procedure of dialogs; property pages reuse its dispatch.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual MessageMap GetMessageMap() const;
    // Asks for the default processing of the message being handled.
    void Default() { m_bDefault = true; }
    // Attaches the object at WM_INITDIALOG and dispatches every later message.
    static INT_PTR Dispatch(CDialog* self, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleInitDialog();
    INT_PTR HandleCommand(WPARAM wParam, LPARAM lParam);
    HWND FindOwner() const;
    void RunModalLoop();

    bool m_bInUpdateData = false;
    bool m_bDefault = false;
    bool m_bEndModal = false;
    int m_nModalResult = -1;
};

// Offers a message to the objects of its window and that window's ancestors
// (up to the top-level window), innermost first; TRUE when one handled it.
BOOL AfxPreTranslateMessage(MSG* pMsg);
