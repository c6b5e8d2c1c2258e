#include "framework/Placement.h"

namespace {

// The start of a span of `size` centred on [low, high), kept inside [areaLow, areaHigh);
// a span larger than the area starts at the area's start.
LONG CentredStart(LONG low, LONG high, LONG size, LONG areaLow, LONG areaHigh) {
    LONG start = low + (high - low) / 2 - size / 2;
    if (start + size > areaHigh) start = areaHigh - size;
    if (start < areaLow) start = areaLow;
    return start;
}

}  // namespace

void AfxCenterWindow(HWND hWnd, HWND reference) {
    if (reference && (!IsWindowVisible(reference) || IsIconic(reference))) reference = nullptr;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(reference ? reference : hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT area = monitor.rcWork;
    RECT centre = area;
    if (reference) GetWindowRect(reference, &centre);
    RECT window{};
    GetWindowRect(hWnd, &window);
    const LONG x = CentredStart(centre.left, centre.right, window.right - window.left, area.left, area.right);
    const LONG y = CentredStart(centre.top, centre.bottom, window.bottom - window.top, area.top, area.bottom);
    SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
