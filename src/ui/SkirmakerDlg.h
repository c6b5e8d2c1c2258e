#pragma once
// CSkirmakerDlg: the setup dialog, the program's only main window.
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "setups/SetupDataFile.h"
#include "setups/SetupForm.h"
#include "setups/SetupStore.h"
#include "ui/AutoCompleteComboBox.h"
#include "ui/ShipField.h"
#include "catalogue/KnownShips.h"

#include <array>
#include <string>

// The platform's folder picker goes through this pointer so tests can stand in
// for the user; it answers the chosen folder, or empty when the user cancels.
// The title and the folders are UTF-8.
using BrowseForFolderFunction = std::string (*)(HWND owner, const char* title, const std::string& initial);
extern BrowseForFolderFunction g_pfnBrowseForFolder;

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
    HACCEL m_hAccel = nullptr;
    // Whether start-up went beyond loading the game's settings.
    bool m_bStarted = false;
    CSetupStore m_mapSetups;
    CSetupDataFile m_dataFile;
    // Whether the store holds setups the data file lacks because writing it
    // failed (or this run never read it): leaving then asks first.
    bool m_bSetupsUnsaved = false;
    // The names a ship field may hold: the catalogue's rows and the game's
    // loadout ships. The catalogue list's lines refer to them by number.
    catalogue::KnownShips m_knownShips;
    // How many of them the catalogue list shows so far.
    std::size_t m_catalogueLines = 0;
    // Whether the game's loadout ships are among them yet; the ship fields are
    // checked from then on.
    bool m_bGameShipsKnown = false;
    // The ship fields in place order (A1-A8, P1-P6), each showing its check.
    std::array<CShipField, CMissionSettings::kShipCount> m_shipFields;
    CShipFieldTips m_shipTips;

    BOOL OnInitDialog() override;
    void OnOK() override;
    // Esc and the caption's close box.
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The dialog's keyboard shortcuts come before the controls' keys.
    BOOL PreTranslateMessage(MSG* pMsg) override;

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
    // Reads the game's loadout ships into the known ships and the list, and
    // checks the ship fields against what is then known.
    void LoadGameShips();
    // The work left for once the dialog is on screen, one timer each: the
    // game's ships, and the ship fields' tips.
    static constexpr UINT_PTR kGameShipsTimer = 1;
    static constexpr UINT_PTR kShipTipsTimer = 2;
    void OnTimer(UINT_PTR id);
    void OnSelchangeCatalogue();

    // The ship-name check of the ship fields.
    HBRUSH OnCtlColorEdit(HDC dc, HWND control);
    void OnContextMenu(HWND window, POINT at);
    // Ctrl+Space: in a flagged ship field its suggestion, in the catalogue
    // its ship into the ship field that had the focus last (see TakesShipKey).
    void OnPutShipName();

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

    // The game's folder, when the registry does not name a usable one.
    void OnChooseGameFolder();

    // Handing a setup to other players through the clipboard.
    void OnCopySetup();
    void OnPasteSetup();

    // The installation the game needs: the check window of the system menu.
    void OnCheckInstallation();

protected:
    MessageMap GetMessageMap() const override;

private:
    // Start-up with the game's settings: the form, the catalogue, the setups.
    void StartWithGame();
    // Asks whether to choose the game's folder and lets the user choose one;
    // true when the game's settings were loaded from the chosen folder.
    bool AskForGameFolder();
    // Lets the user choose a folder that holds the game until one does or the
    // user gives up; true when the settings were loaded from it.
    bool ChooseGameFolder();
    // Tells the user, once, why the game's settings file could not be read.
    void ReportUnreadableSettings();
    void ShowGameFolderInMenu();
    // Picks the data file this run reads and writes (gameconfig::ChooseDataFile).
    void ChooseDataFile();
    // After "Select" wrote the setup: says when the game will not offer the
    // mission, and offers to set a stale mission list aside.
    void WarnOfUnlistedMission();
    // P1-P6 as a chosen setup's host flag has them: 1 enables, 0 disables.
    void ShowPlayerShipsOfHostFlag();
    // Whether the form's mode is one no game can play; if so, says so.
    bool RefuseIncompleteMode();
    // True when every setup is saved, or the user, told they are not, still
    // wants to leave.
    bool LeaveDespiteUnsavedSetups();
    // Makes `known` the known ships and the catalogue list's lines.
    void ShowKnownShips(catalogue::KnownShips known);
    // Ship N (1 to 14) changed: the record and the check follow the field.
    void OnChangeShip(int n);
    void OnClickModeBox(const ModeBox& box);
    // Enables or disables the player ship edits P1 to P6.
    void ShowPlayerShips(PlayerShips state);
    // Shows `form` in the controls.
    void ShowForm(const CSetupForm& form);

    // The ship-name check.
    void AttachShipFields();
    void CreateShipTips();
    void CheckShipFields();
    void CheckShip(int n);
    // The ship field `window`, or null.
    CShipField* ShipFieldOf(HWND window);
    bool InCatalogue(HWND window) const;
    // Whether Ctrl+Space in `window` puts a ship name in.
    bool TakesShipKey(HWND window);
    void PutSuggestion(const CShipField& field) const;
    void PutCatalogueShip(const CShipField& field) const;
    // The known ship the catalogue's box shows; empty when it shows none.
    std::string CatalogueShip() const;
};
