#pragma once
// CToolTipCtrl: a tooltip control whose tools are child windows of its owner.
// A tool's tip shows when the mouse rests on it or, for a tracking tool,
// where and while the program says; a tool without text shows none.
#include "framework/Wnd.h"

#include <string>

class CToolTipCtrl : public CWnd {
public:
    // Creates the control for the child windows of `owner`; `style` adds TTS_
    // styles (TTS_BALLOON). Tips break lines at line feeds and wrap at
    // `maxWidth` pixels.
    bool Create(HWND owner, DWORD style, int maxWidth);
    // Adds the child window `tool`, without text; `flags` adds TTF_ flags
    // (TTF_SUBCLASS to watch the mouse over it, TTF_TRACK | TTF_ABSOLUTE to be
    // shown by TrackActivate).
    void AddTool(HWND tool, UINT flags) const;
    void UpdateTipText(HWND tool, const std::string& text) const;
    // A title over every tip, with a standard icon (TTI_WARNING).
    void SetTitle(UINT icon, const std::string& title) const;
    // Shows the tracking tool `tool` at `screen` (a balloon's stem points
    // there), or hides it.
    void TrackActivate(HWND tool, bool show, POINT screen = {}) const;
};
