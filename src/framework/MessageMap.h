#pragma once
// Event tables: static arrays that bind (message, notification code, control id)
// to a member function of a window class, searched by one function.
#include <windows.h>

#include <span>

class CWnd;

struct MessageEntry {
    UINT message;
    UINT code;  // notification code for WM_COMMAND, else 0
    UINT id;    // control id for WM_COMMAND, else 0
    LRESULT (*call)(CWnd* self, WPARAM wParam, LPARAM lParam);
};

using MessageMap = std::span<const MessageEntry>;

// Finds the entry for a message; nullptr when the table has none.
const MessageEntry* FindMessageEntry(MessageMap map, UINT message, UINT code, UINT id);

namespace afx {
template <class T, void (T::*F)()>
LRESULT CallVoid(CWnd* self, WPARAM, LPARAM) {
    (static_cast<T*>(self)->*F)();
    return 0;
}
template <class T, void (T::*F)(UINT, LPARAM)>
LRESULT CallSysCommand(CWnd* self, WPARAM wParam, LPARAM lParam) {
    (static_cast<T*>(self)->*F)(static_cast<UINT>(wParam), lParam);
    return 0;
}
template <class T, HCURSOR (T::*F)()>
LRESULT CallQueryDragIcon(CWnd* self, WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>((static_cast<T*>(self)->*F)());
}
template <class T, HBRUSH (T::*F)(HDC, HWND)>
LRESULT CallCtlColor(CWnd* self, WPARAM wParam, LPARAM lParam) {
    return reinterpret_cast<LRESULT>((static_cast<T*>(self)->*F)(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
}
template <class T, void (T::*F)(UINT_PTR)>
LRESULT CallTimer(CWnd* self, WPARAM wParam, LPARAM) {
    (static_cast<T*>(self)->*F)(static_cast<UINT_PTR>(wParam));
    return 0;
}
// The point is in screen coordinates; (-1, -1) when the keyboard asked for the menu.
template <class T, void (T::*F)(HWND, POINT)>
LRESULT CallContextMenu(CWnd* self, WPARAM wParam, LPARAM lParam) {
    const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    (static_cast<T*>(self)->*F)(reinterpret_cast<HWND>(wParam), at);
    return 0;
}
}  // namespace afx

#define ON_COMMAND_CODE(code, id, Class, Method) \
    MessageEntry{WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), &afx::CallVoid<Class, &Class::Method>}
#define ON_COMMAND(id, Class, Method) ON_COMMAND_CODE(0, id, Class, Method)
#define ON_BN_CLICKED(id, Class, Method) ON_COMMAND_CODE(BN_CLICKED, id, Class, Method)
#define ON_EN_CHANGE(id, Class, Method) ON_COMMAND_CODE(EN_CHANGE, id, Class, Method)
#define ON_CBN_SELCHANGE(id, Class, Method) ON_COMMAND_CODE(CBN_SELCHANGE, id, Class, Method)
#define ON_WM_SYSCOMMAND(Class) MessageEntry{WM_SYSCOMMAND, 0, 0, &afx::CallSysCommand<Class, &Class::OnSysCommand>}
#define ON_WM_PAINT(Class) MessageEntry{WM_PAINT, 0, 0, &afx::CallVoid<Class, &Class::OnPaint>}
#define ON_WM_QUERYDRAGICON(Class) MessageEntry{WM_QUERYDRAGICON, 0, 0, &afx::CallQueryDragIcon<Class, &Class::OnQueryDragIcon>}
#define ON_WM_DESTROY(Class) MessageEntry{WM_DESTROY, 0, 0, &afx::CallVoid<Class, &Class::OnDestroy>}
#define ON_WM_CTLCOLOREDIT(Class) MessageEntry{WM_CTLCOLOREDIT, 0, 0, &afx::CallCtlColor<Class, &Class::OnCtlColorEdit>}
#define ON_WM_TIMER(Class) MessageEntry{WM_TIMER, 0, 0, &afx::CallTimer<Class, &Class::OnTimer>}
#define ON_WM_CONTEXTMENU(Class) MessageEntry{WM_CONTEXTMENU, 0, 0, &afx::CallContextMenu<Class, &Class::OnContextMenu>}
