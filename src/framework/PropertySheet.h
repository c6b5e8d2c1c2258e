#pragma once
// CPropertySheet and CPropertyPage: a modeless tabbed sheet of dialog pages,
// built on the system's property sheet with the pages dispatched like dialogs.
#include "framework/Dialog.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

// CPropertyPage: one tab of a property sheet, a dialog from its own template.
class CPropertyPage : public CDialog {
public:
    // captionId 0 keeps the template's own caption as the tab text.
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);

    // The sheet's window runs the keyboard navigation of all its pages.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The PROPSHEETPAGE that the system builds the page from.
    PROPSHEETPAGEA MakePageDescription();

private:
    static INT_PTR CALLBACK PageProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_nIDCaption;
};

// CPropertySheet: a modeless sheet without OK, Cancel, Apply or Help buttons.
// Once created, the sheet belongs to its window: it deletes itself and its
// pages when the window is destroyed, so it must live on the free store.
class CPropertySheet : public CWnd {
public:
    CPropertySheet() = default;
    ~CPropertySheet() override;

    // The caption; style 0 shows the text alone.
    void SetTitle(const char* text, UINT style = 0);
    // Appends a tab; the sheet owns the page.
    void AddPage(std::unique_ptr<CPropertyPage> page);

    // Creates the sheet window modelessly; style -1 is a visible pop-up with
    // caption, system menu, modal frame and context-help button. It opens
    // centred over its parent, or over the main window when it has none. On
    // success the window owns this object.
    BOOL Create(CWnd* pParentWnd = nullptr, DWORD style = static_cast<DWORD>(-1), DWORD exStyle = 0);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The sheet belongs to its window: it goes with it.
    void PostNcDestroy() override;

private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
    void RemoveButtons();

    std::string m_strCaption;
    std::vector<std::unique_ptr<CPropertyPage>> m_pages;
};
