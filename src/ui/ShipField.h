#pragma once
// CShipField: a ship field of the setup dialog, showing the check of its text.
// A flagged field explains itself in a tip while the mouse rests on it and in
// a balloon under it while it has the keyboard focus; its dialog draws its
// text in the warning colour and gives it its context menu.
#include "catalogue/ShipFieldCheck.h"
#include "framework/ToolTip.h"

#include <string>

class CShipField;

// What the ship fields of one dialog share.
class CShipFieldTips {
public:
    // Makes the tips for the fields of `dialog`, the catalogue combo's edit
    // `catalogue` among their tools.
    void Create(HWND dialog, HWND catalogue);

    CToolTipCtrl m_pointed;  // the tip of the window under the mouse
    CToolTipCtrl m_focused;  // the balloon under the flagged field with the focus
    CShipField* m_pLastFocused = nullptr;
};

class CShipField : public CWnd {
public:
    // Takes over the ship edit `hWnd`, whose check `tips` will explain.
    void Attach(HWND hWnd, CShipFieldTips& tips);
    // Joins the tips once they are made, showing the field's check there.
    void AddTools();
    // Shows `check`, the check of the field's current text.
    void ShowCheck(catalogue::ShipFieldCheck check);
    const catalogue::ShipFieldCheck& Check() const { return m_check; }
    // Replaces the whole text with `text` as a paste does: the user can undo
    // it, and the field's change notification follows as for typing.
    void PutText(const std::string& text) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The tip while the mouse rests on the field, or instead the balloon
    // while it has the focus.
    void ShowTips(bool focused) const;

    catalogue::ShipFieldCheck m_check;
    std::string m_tip;  // the reason and the fix; empty while the field is fine
    CShipFieldTips* m_pTips = nullptr;
};
