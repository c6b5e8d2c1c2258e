// The program's entry point: hands control to the one application object,
// whose InitInstance runs the program and answers false to end it.
#include "framework/App.h"

#include <cstdlib>

// The runtime's report of an uncaught exception goes to a console that a
// windowed program does not have, and its name demangler alone would be a
// tenth of the shipped program: such an exception ends the program at once,
// as the report would after printing. Exceptions are caught and reported at
// every window procedure.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = hInstance;
    app->InitInstance();
    return 0;
}
