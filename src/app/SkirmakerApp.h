#pragma once
// CSkirmakerApp: the application object; it runs the setup dialog and ends.
#include "framework/App.h"

class CSkirmakerApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

extern CSkirmakerApp theApp;
