#include "framework/PropertySheet.h"
#include "ui/PropPage1.h"
#include "ui/PropPage2.h"
#include "ui/PropPage3.h"
#include "ui/SkirmakerDlg.h"

#include <memory>

// Opens one more independent help sheet; the sheet frees itself and its pages
// when its window is destroyed, so nothing here keeps a pointer to it.
void CSkirmakerDlg::OnHelpButton() {
    auto sheet = std::make_unique<CPropertySheet>();
    sheet->SetTitle("HELP!!", 0);
    sheet->AddPage(std::make_unique<PropPage1>());
    sheet->AddPage(std::make_unique<PropPage2>());
    sheet->AddPage(std::make_unique<PropPage3>());
    // A sheet that cannot be made is simply not shown.
    if (sheet->Create(nullptr, static_cast<DWORD>(-1), 0)) sheet.release();
}
