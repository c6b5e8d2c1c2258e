// The program's entry point: hands control to the one application object,
// whose InitInstance runs the program and answers false to end it.
#include "framework/App.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = hInstance;
    app->InitInstance();
    return 0;
}
