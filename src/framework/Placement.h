#pragma once
// Where windows open: centred over a reference window, or on the work area of
// the monitor when there is none to centre over, and always wholly inside that
// work area.
#include <windows.h>

// Moves `hWnd` (keeping its size) so that it is centred over `reference`, or
// over the work area when `reference` is null, hidden or minimised; then keeps
// it inside the work area of the monitor it is centred on.
void AfxCenterWindow(HWND hWnd, HWND reference);
