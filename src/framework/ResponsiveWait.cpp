#include "framework/ResponsiveWait.h"

#include <windows.h>

void AfxWaitResponsively(std::chrono::milliseconds time) {
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(time.count());
    for (ULONGLONG now = GetTickCount64();; now = GetTickCount64()) {
        // Peeking delivers the messages other threads send; of the queue, it
        // takes paint messages only.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT)) DispatchMessageA(&msg);
        if (now >= end) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_PAINT | QS_SENDMESSAGE);
    }
    SetCursor(previous);
}
