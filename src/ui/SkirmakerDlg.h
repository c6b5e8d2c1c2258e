#pragma once
// CSkirmakerDlg: the setup dialog, the program's only main window.
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "setups/SetupDataFile.h"
#include "setups/SetupForm.h"
#include "setups/SetupStore.h"
#include "ui/AutoCompleteComboBox.h"
#include "catalogue/ShipEntry.h"

#include <map>
#include <memory>
#include <string>

// The setup it edits is its CSetupForm part: the fields the controls transfer to.
class CSkirmakerDlg : public CDialog, public CSetupForm {
public:
    explicit CSkirmakerDlg(CWnd* pParent = nullptr);
    ~CSkirmakerDlg() override;

    CAutoCompleteComboBox m_comboCatalogue;
    CComboBox m_comboSetups;
    std::string m_strRace;
    std::string m_strClass;
    std::string m_strSubName;
    HICON m_hIcon = nullptr;
    CSetupStore m_mapSetups;
    CSetupDataFile m_dataFile;
    std::map<std::string, std::unique_ptr<CShipEntry>> m_mapCatalogue;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // Game mode and ship fields.
    void OnClickPlayerVsPlayer() { OnClickModeBox(kModeBoxes[0]); }
    void OnClickPlayerVsAI() { OnClickModeBox(kModeBoxes[1]); }
    void OnClickPlayerSelectShips() { OnClickModeBox(kModeBoxes[2]); }
    void OnClickHostSelectShips() { OnClickModeBox(kModeBoxes[3]); }
    void OnChangeShip1() { OnChangeShip(1); }
    void OnChangeShip2() { OnChangeShip(2); }
    void OnChangeShip3() { OnChangeShip(3); }
    void OnChangeShip4() { OnChangeShip(4); }
    void OnChangeShip5() { OnChangeShip(5); }
    void OnChangeShip6() { OnChangeShip(6); }
    void OnChangeShip7() { OnChangeShip(7); }
    void OnChangeShip8() { OnChangeShip(8); }
    void OnChangeShip9() { OnChangeShip(9); }
    void OnChangeShip10() { OnChangeShip(10); }
    void OnChangeShip11() { OnChangeShip(11); }
    void OnChangeShip12() { OnChangeShip(12); }
    void OnChangeShip13() { OnChangeShip(13); }
    void OnChangeShip14() { OnChangeShip(14); }

    // Ship catalogue.
    void FillShipCatalogue();
    void OnSelchangeCatalogue();

    // Saved setups.
    void LoadSetups();
    // Writes the data file; tells the user when setups could not be written.
    SetupSaveStatus SaveSetups();
    void FillSetupList();
    void OnSelchangeSetups();
    void OnSaveSetup();
    void OnDeleteSetup();
    void ClearSetupFields();
    void OnCloseButton();
    void OnDestroy();

    // Help, about box and map.
    void OnHelpButton();
    void OnAbout();
    void OnViewMap();

protected:
    MessageMap GetMessageMap() const override;

private:
    // Ship N (1 to 14) changed: the record follows the field.
    void OnChangeShip(int n);
    void OnClickModeBox(const ModeBox& box);
    // Enables or disables the player ship edits P1 to P6.
    void ShowPlayerShips(PlayerShips state);
    // Shows `form` in the controls.
    void ShowForm(const CSetupForm& form);
};
