#pragma once
// CSkirmakerDlg: the setup dialog, the program's only main window.
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "setups/SetupDataFile.h"
#include "setups/SetupStore.h"
#include "ui/AutoCompleteComboBox.h"
#include "ui/ShipEntry.h"

#include <map>
#include <memory>
#include <string>

class CSkirmakerDlg : public CDialog {
public:
    explicit CSkirmakerDlg(CWnd* pParent = nullptr);
    ~CSkirmakerDlg() override;

    // Ship places 1 to 14: A1-A8 then P1-P6.
    static constexpr int kShipCount = 14;
    // The edit of ship N (index 0 unused): 1006 is the setup list, not a ship.
    static constexpr int kShipEditIds[kShipCount + 1] = {
        0, 1000, 1001, 1002, 1003, 1004, 1005, 1007, 1008, 1025, 1026, 1027, 1028, 1029, 1030};

    CAutoCompleteComboBox m_comboCatalogue;
    CComboBox m_comboSetups;
    std::string m_strShip2;
    std::string m_strShip3;
    std::string m_strShip4;
    std::string m_strShip5;
    std::string m_strShip6;
    std::string m_strShip7;
    std::string m_strShip8;
    std::string m_strShip1;
    std::string m_strShip9;
    std::string m_strShip10;
    std::string m_strShip11;
    std::string m_strShip12;
    std::string m_strShip13;
    std::string m_strShip14;
    int m_bHostSelectShips = 0;
    int m_bPlayerSelectShips = 0;
    int m_bPlayerVsAI = 0;
    int m_bPlayerVsPlayer = 0;
    std::string m_strSetupTitle;
    std::string m_strRace;
    std::string m_strClass;
    std::string m_strSubName;
    std::string m_strComments;
    HICON m_hIcon = nullptr;
    CSetupStore m_mapSetups;
    CSetupDataFile m_dataFile;
    std::map<std::string, std::unique_ptr<CShipEntry>> m_mapCatalogue;

    // The member of ship N (1 to 14).
    std::string& Ship(int n);

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // Game mode and ship fields.
    void OnClickPlayerVsPlayer();
    void OnClickPlayerVsAI();
    void OnClickPlayerSelectShips();
    void OnClickHostSelectShips();
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
    void OnChangeShip(int n);
    // Enables or disables the player ship edits P1 to P6.
    void EnablePlayerShips(BOOL enable);
};
