// The setup dialog driven through real messages: start-up and the game's
// folder, "Select" and the ways out, the saved-setup commands with the data
// file they write, and handing a setup to the players through the clipboard.
#include "DialogHarness.h"

#include "framework/Clipboard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <vector>

using namespace skmtest;

namespace {

const std::string kAppliedTitle = "Applied Title";
const std::string kMissionIni = "[Mul_Skirmaker]\r\nsetup=" + kAppliedTitle +
                                "\r\nship1=\"Kestrel\"\r\nship9=Dart\r\nTeamSettings=3\r\nPlayerShipSettings=12\r\n";

// The form's fields in one line: title display, ships, boxes, comment.
std::string Describe(const CSetupForm& form) {
    std::string text = form.m_strSetupTitle;
    for (const ShipPlace& place : kShipPlaces) text += "|" + form.*place.member;
    for (const ModeBox& box : kModeBoxes) text += form.*box.member ? "|1" : "|0";  // ticked for any flag but 0
    return text + "|" + form.m_strComments;
}

// A record whose texts derive from `title`, each ship place its own; flags are
// host select, player select, vs AI, vs player.
CSkirmakerData Record(const std::string& title, std::array<int, 4> flags = {}) {
    CSetupForm form;
    for (const ShipPlace& place : kShipPlaces) form.*place.member = title + " " + place.label;
    form.m_bHostSelectShips = flags[0];
    form.m_bPlayerSelectShips = flags[1];
    form.m_bPlayerVsAI = flags[2];
    form.m_bPlayerVsPlayer = flags[3];
    form.m_strComments = "about " + title + "\r\nsecond line";
    CSkirmakerData record;
    record.Fill(title, form);
    return record;
}

using Entries = std::vector<std::pair<std::string, CSkirmakerData>>;
std::string DataFileOf(const Entries& entries) {
    CSetupStore store;
    for (const auto& [key, record] : entries) store.Store(key, std::make_unique<CSkirmakerData>(record));
    return CSetupDataFile::Encode(store);
}

// The titles of `entries` added in turn to a sorted list of the platform, in the order it keeps them.
std::vector<std::string> SortedByTheList(const Entries& entries) {
    HWND list = CreateWindowA("ListBox", nullptr, LBS_SORT | LBS_HASSTRINGS, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    std::vector<std::string> sorted;
    for (const auto& [title, record] : entries)
        sorted.insert(sorted.begin() + SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str())), title);
    DestroyWindow(list);
    return sorted;
}

// The folder picker's stand-in: gives the folders of `g_picks` in turn, then cancels.
std::deque<std::string> g_picks;
std::string g_pickerTitle;
std::string Pick(HWND, const char* title, const std::string&) {
    g_pickerTitle = title;
    if (g_picks.empty()) return {};
    std::string folder = g_picks.front();
    g_picks.pop_front();
    return folder;
}

struct PickerStandIn {
    PickerStandIn(std::deque<std::string> picks) : saved(g_pfnBrowseForFolder) {
        g_picks = std::move(picks);
        g_pfnBrowseForFolder = Pick;
    }
    ~PickerStandIn() { g_pfnBrowseForFolder = saved; }
    BrowseForFolderFunction saved;
};

class SetupDialogTest : public DialogTest {
protected:
    HWND SetupsEdit() const { return FindWindowExA(Item(IDC_SETUPS), nullptr, "Edit", nullptr); }
    LRESULT CatalogueSize() const { return SendMessageA(Item(IDC_CATALOGUE), CB_GETCOUNT, 0, 0); }
    std::string MenuText(UINT id) const {
        char text[512] = {};
        GetMenuStringA(GetSystemMenu(run->hWnd, FALSE), id, text, sizeof text, MF_BYCOMMAND);
        return text;
    }
    // Fills the form with `record`, types `title` and clicks Save; returns the record Save should store.
    CSkirmakerData Save(const CSkirmakerData& record, const std::string& title) {
        for (const ShipPlace& place : kShipPlaces) SetWindowTextA(Item(place.controlId), (record.*place.member).c_str());
        for (const ModeBox& box : kModeBoxes) CheckDlgButton(run->hWnd, box.controlId, record.*box.member);
        SetWindowTextA(Item(IDC_COMMENTS), record.m_strComments.c_str());
        SendMessageA(SetupsEdit(), EM_SETSEL, 0, -1);
        PostKey(SetupsEdit(), VK_DELETE);
        TypeText(*run->ui, SetupsEdit(), title);
        run->Click(IDC_SAVE);
        CSkirmakerData saved;
        saved.Fill(title, record);
        return saved;
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < run->dlg->m_comboSetups.GetCount(); ++i) lines.push_back(run->dlg->m_comboSetups.GetLBText(i));
        return lines;
    }
    // What the form's controls show, in Describe's order.
    std::string Shown() const {
        CSetupForm form;
        form.m_strSetupTitle = Text(IDC_SETUP_TITLE);
        for (const ShipPlace& place : kShipPlaces) form.*place.member = Text(place.controlId);
        for (const ModeBox& box : kModeBoxes) form.*box.member = IsDlgButtonChecked(run->hWnd, box.controlId);
        form.m_strComments = Text(IDC_COMMENTS);
        return Describe(form);
    }
    std::string PlayerPlacesEnabled() const {
        std::string enabled;
        for (std::size_t p = kFirstPlayerPlace; p < kShipPlaces.size(); ++p)
            enabled += IsWindowEnabled(Item(kShipPlaces[p].controlId)) ? '1' : '0';
        return enabled;
    }
    // After Save and Delete: an empty form under the applied title, the keyboard in the list.
    void ExpectClearedForm() const {
        EXPECT_EQ(Shown(), Describe(CSetupForm::Cleared(kAppliedTitle)));
        EXPECT_EQ(run->dlg->m_comboSetups.GetCurSel(), CB_ERR);
        EXPECT_EQ(run->Gui().hwndFocus, SetupsEdit());
    }
    // Ends the dialog with Close (IDOK) or Esc (IDCANCEL).
    void End(int command) {
        if (command == IDOK) SendMessageA(Item(IDC_CLOSE_BUTTON), BM_CLICK, 0, 0);
        ASSERT_TRUE(command == IDOK ? run->ui->Join() : run->Close());
        EXPECT_EQ(run->result, command);
    }
    std::string DataFile() const { return ReadFileBytes(game.dataFile); }
};

TEST_F(SetupDialogTest, AnUnreadableSettingsFileIsNamedOnce) {
    Start(std::string("\xFF\xFE[\0M\0]\0", 8));
    ExpectOneBox(MB_ICONWARNING, "scripts.ini\" could not be read: ");
    EXPECT_EQ(CatalogueSize(), 300);
    EXPECT_EQ(Text(IDC_SETUP_TITLE) + Text(IDC_SHIP1), "");
}

// Select writes nothing unless it can write the whole of a playable setup:
// the game's working setup stays as it was while the user completes the form.
// A file it may not write is the end-to-end test's.
TEST_F(SetupDialogTest, ASelectThatCannotFinishSaysWhyAndLeavesTheGamesFileAsItWas) {
    // No box ticked; the mode is read afresh at each start, as the boxes' clicks set it in memory.
    const std::string ini =
        "[Mul_Skirmaker]\r\nsetup=Applied\r\nship1=\"Kestrel\"\r\nTeamSettings=0\r\nPlayerShipSettings=0\r\n";
    // Each incomplete mode: no box, a team box alone, a ship box alone.
    for (const std::vector<int>& ticked : {std::vector<int>{}, {IDC_PLAYER_VS_AI}, {IDC_PLAYER_SELECT_SHIPS}}) {
        Start(ini);
        for (const int id : ticked) run->Click(id);
        run->Click(IDOK);
        ExpectOneBox(MB_OK, "You must select the game setup options from the dialog!");
        EXPECT_EQ(Boxes()[0].caption, "No Option Selected!");
        EXPECT_EQ(ReadFileBytes(game.scriptsIni), ini);
    }
}

// Edits stop at 30,000 characters unless told otherwise; a paste must never be cut.
TEST_F(SetupDialogTest, LongPastesAreTakenWhole) {
    Start();
    const std::string text(40000, 'x');
    ASSERT_TRUE(AfxSetClipboardText(nullptr, text));
    for (int id : {IDC_COMMENTS, IDC_SHIP1, IDC_SETUPS}) {
        SendMessageA(id == IDC_SETUPS ? SetupsEdit() : Item(id), WM_PASTE, 0, 0);
        EXPECT_EQ(GetWindowTextLengthA(Item(id)), 40000) << id;
    }
    run->Click(IDC_SAVE);
    ASSERT_NE(run->dlg->m_mapSetups.Find(text), nullptr);
    EXPECT_EQ(run->dlg->m_mapSetups.Find(text)->m_strComments, text);
}

TEST_F(SetupDialogTest, EnterInTheCommentsStartsANewLineAndEscOrTheCloseBoxWriteNothing) {
    WriteFileBytes(game.scriptsIni, kMissionIni);
    for (const bool closeBox : {false, true}) {
        Start();
        HWND comments = Item(IDC_COMMENTS);
        run->Focus(comments);
        TypeText(*run->ui, comments, "a");
        PostKey(comments, VK_RETURN);
        TypeText(*run->ui, comments, "b");
        EXPECT_EQ(WindowText(comments), "a\r\nb");
        TypeText(*run->ui, Item(IDC_SHIP2), "changed");
        ASSERT_TRUE(run->Close(closeBox));
        EXPECT_EQ(run->result, IDCANCEL);
        EXPECT_EQ(ReadFileBytes(game.scriptsIni), kMissionIni);
        EXPECT_FALSE(fs::exists(game.dataFile));
        EXPECT_TRUE(Boxes().empty());
    }
}

// The fixture's install folder is the one the user chooses.
TEST_F(SetupDialogTest, AFolderChosenWithoutTheGameIsLoadedRememberedAndPreferredWhileItHoldsTheGame) {
    WriteFileBytes(game.scriptsIni, "[Mul_Skirmaker]\r\nsetup=Chosen\r\n");
    GameSandbox::RemoveGame();
    const fs::path elsewhere = game.root / "elsewhere";
    fs::create_directories(elsewhere);
    {
        PickerStandIn picker({elsewhere.string(), game.install.string()});
        Start({IDOK, IDYES, IDYES});  // the error; choose now; choose again after a folder without the game
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[0].text, "Error reading from skirmaker.ini; code 2.");
        EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_NE(boxes[2].text.find(elsewhere.string()), std::string::npos) << boxes[2].text;
        EXPECT_EQ(Text(IDC_SETUP_TITLE), "Chosen");
        EXPECT_EQ(CatalogueSize(), 300);
        EXPECT_NE(MenuText(IDM_GAMEFOLDER).find(game.install.string()), std::string::npos);
        run.reset();
    }
    // The remembered folder wins over the registry's; once it has lost the game, the registry's is used.
    GameSandbox other;
    WriteFileBytes(other.scriptsIni, "[Mul_Skirmaker]\r\nsetup=Registry\r\n");
    theMissionSettings.ChooseInstallFolder(game.install.string());
    for (const char* expected : {"Chosen", "Registry"}) {
        Start();
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(Text(IDC_SETUP_TITLE), expected);
        fs::remove_all(game.install / "Assets");
    }
    run.reset();
}

// Without the game the start-up stops before reading the data file, so neither
// Save nor Close may write it; setups made meanwhile are not lost unseen.
TEST_F(SetupDialogTest, NoLeavesTheDialogEmptyAndTheDataFileAloneUntilAFolderIsChosen) {
    WriteFileBytes(game.scriptsIni, "[Mul_Skirmaker]\r\nsetup=Later\r\n");
    const std::string before = DataFileOf({{"Alpha", Record("Alpha")}});
    WriteFileBytes(game.dataFile, before);
    GameSandbox::RemoveGame();
    Start({IDOK, IDNO});
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Text(IDC_SETUP_TITLE) + Text(IDC_SHIP1), "");
    EXPECT_EQ(CatalogueSize(), 0);
    EXPECT_EQ(MenuText(IDM_GAMEFOLDER), "&Game folder: not found...");
    ClearBoxes();
    Save(Record("form"), "Beta");
    ExpectOneBox(MB_ICONWARNING, "not saved");
    EXPECT_EQ(Text(IDC_SHIP1), "form A1") << "the form stays";
    End(IDOK);
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(DataFile(), before);

    Start({IDOK, IDNO});
    PickerStandIn picker({game.install.string()});
    PostMessageA(run->hWnd, WM_SYSCOMMAND, IDM_GAMEFOLDER, 0);
    run->ui->Flush();
    EXPECT_EQ(Text(IDC_SETUP_TITLE), "Later");
    EXPECT_EQ(CatalogueSize(), 300);
    EXPECT_NE(g_pickerTitle.find("Assets\\Scripts"), std::string::npos);
}

// The host copies; a player pastes (here with the keyboard) into a form whose
// player places are disabled; text that is no setup changes nothing.
TEST_F(SetupDialogTest, ACopiedSetupPastesIntoAnotherFormAndOtherTextChangesNothing) {
    Start("[Mul_Skirmaker]\r\nsetup=Duel\r\nship2=\"Kestrel\"\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n");
    PostMessageA(run->hWnd, WM_SYSCOMMAND, IDM_COPYSETUP, 0);
    run->ui->Flush();
    std::string copied;
    ASSERT_EQ(AfxGetClipboardText(nullptr, copied, 4096), ClipboardText::Read);
    EXPECT_TRUE(copied.starts_with("; Skirmaker setup: Duel\r\n[Mul_Skirmaker]\r\nsetup=Duel\r\nship1=\r\n")) << copied;
    run->Click(IDC_PLAYER_SELECT_SHIPS);
    SetWindowTextA(Item(IDC_SHIP2), "");
    for (const char* clipboard : {"no setup here", copied.c_str()}) {
        ASSERT_TRUE(AfxSetClipboardText(nullptr, clipboard));
        ClearBoxes();
        run->Focus(Item(IDC_SHIP3));
        INPUT keys[6] = {};
        const WORD order[] = {VK_CONTROL, VK_SHIFT, 'V'};
        for (int i = 0; i < 3; ++i) {
            keys[i].type = keys[5 - i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = keys[5 - i].ki.wVk = order[i];
            keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        SendInput(6, keys, sizeof(INPUT));
        WaitFor([&] { return !Boxes().empty() || !Text(IDC_SHIP2).empty(); });
        run->ui->Flush();
        const bool isSetup = clipboard == copied.c_str();
        EXPECT_EQ(Boxes().size(), isSetup ? 0u : 1u);
        EXPECT_EQ(Text(IDC_SHIP2), isSetup ? "\"Kestrel\"" : "");
        EXPECT_EQ(IsDlgButtonChecked(run->hWnd, IDC_HOST_SELECT_SHIPS), isSetup ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(IsWindowEnabled(Item(IDC_SHIP9)) != FALSE, isSetup);
    }
    EXPECT_FALSE(fs::exists(game.dataFile));
}

// Save with a title that is new, stored already, stored in another letter case, or empty.
TEST_F(SetupDialogTest, SaveStoresTheFormUnderTheTypedTitle) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"Beta", {"Alpha", "Beta", "Gamma"}}, {"Alpha", {"Alpha", "Gamma"}}, {"", {"Alpha", "Gamma"}},
        {"alpha", {"alpha", "Alpha", "Gamma"}}, {" Alpha", {" Alpha", "Alpha", "Gamma"}}};
    const Entries before{{"Alpha", Record("Alpha", {1, 0, 1, 0})}, {"Gamma", Record("Gamma", {0, 1, 0, 1})}};
    WriteFileBytes(game.scriptsIni, kMissionIni);
    for (const auto& [title, lines] : cases) {
        SCOPED_TRACE(title);
        WriteFileBytes(game.dataFile, DataFileOf(before));
        Start();
        Entries expected = before;
        const CSkirmakerData form = Record("form", {0, 1, 1, 0});
        const CSkirmakerData saved = Save(form, title);
        if (*title) expected.emplace_back(title, saved);  // a stored title's record is replaced
        // The list sorts without regard to case, so lines differing only in case come in either order.
        const std::vector<std::string> shown = Lines();
        EXPECT_TRUE(std::is_permutation(shown.begin(), shown.end(), lines.begin(), lines.end()));
        for (int i = 0; i < static_cast<int>(shown.size()); ++i)  // each line carries the record stored under its text
            EXPECT_EQ(run->dlg->m_comboSetups.GetItemDataPtr(i), run->dlg->m_mapSetups.Find(shown[i])) << shown[i];
        if (*title) {
            EXPECT_EQ(DataFile(), DataFileOf(expected));
            ExpectClearedForm();
            EXPECT_TRUE(Boxes().empty());
        } else {  // nothing is saved under no title: the user is asked for one and the form stays
            EXPECT_EQ(DataFile(), DataFileOf(before));
            CSetupForm kept = form;
            kept.m_strSetupTitle = kAppliedTitle;
            EXPECT_EQ(Shown(), Describe(kept));
            ExpectOneBox(MB_ICONINFORMATION, "title");
        }
    }
}

// The mode boxes' rules are the form's; here, that the dialog shows them.
TEST_F(SetupDialogTest, StartUpShowsTheGamesSetupAndAChosenLineItsRecordWithoutTouchingTheMission) {
    // Titles not sorted as their bytes are; host flag 1 enables P1-P6, 0 disables them, others leave them.
    const struct { const char* title; std::array<int, 4> flags; const char* enabled; } rows[] = {
        {"beta", {1, 0, 1, 0}, "111111"}, {"Alpha", {2, 1, 0, 0}, "111111"}, {"a-c", {0, 1, 0, 1}, "000000"},
        {"ab", {2, 0, 1, 1}, "000000"}, {"-x", {1, 1, 1, 1}, "111111"}, {"\xC4pfel", {0, 0, 0, 0}, "000000"}};
    Entries entries;
    for (const auto& row : rows) entries.emplace_back(row.title, Record(row.title, row.flags));
    WriteFileBytes(game.dataFile, DataFileOf(entries));
    Start(kMissionIni);
    EXPECT_EQ(Text(IDC_SETUP_TITLE) + Text(IDC_SHIP1) + Text(IDC_SHIP9), kAppliedTitle + "\"Kestrel\"Dart");
    EXPECT_EQ(IsDlgButtonChecked(run->hWnd, IDC_PLAYER_SELECT_SHIPS), BST_CHECKED);
    EXPECT_EQ(PlayerPlacesEnabled(), "000000");
    run->Click(IDC_HOST_SELECT_SHIPS);  // adds a bit the mission has already
    EXPECT_EQ(PlayerPlacesEnabled(), "111111");
    run->Click(IDC_PLAYER_SELECT_SHIPS);
    EXPECT_EQ(PlayerPlacesEnabled(), "000000");
    const std::vector<std::string> lines = Lines();
    EXPECT_EQ(lines, SortedByTheList(entries));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        run->Choose(IDC_SETUPS, std::find(lines.begin(), lines.end(), entries[i].first) - lines.begin());
        EXPECT_EQ(Shown(), Describe(entries[i].second));
        EXPECT_EQ(Text(IDC_SETUPS), entries[i].first);
        EXPECT_EQ(PlayerPlacesEnabled(), rows[i].enabled) << i;
    }
    EXPECT_EQ(theMissionSettings.m_strShips[1] + theMissionSettings.m_strSetup, "\"Kestrel\"" + kAppliedTitle);
    EXPECT_EQ(theMissionSettings.GetTeamSettings() * 100 + theMissionSettings.GetPlayerShipSettings(), 312);
    // A title saved later lands where the list sorts it among those.
    Save(Record("form"), "A-B");
    entries.emplace_back("A-B", CSkirmakerData());
    EXPECT_EQ(Lines(), SortedByTheList(entries));
    EXPECT_TRUE(Boxes().empty());
}

// Delete is written at once, so it lasts even when the program is left with Esc.
TEST_F(SetupDialogTest, DeleteBlanksTheSetupAndWritesItAtOnce) {
    const Entries before{{"Alpha", Record("Alpha", {1, 1, 1, 1})}, {"Gamma", Record("Gamma", {0, 0, 1, 0})}};
    WriteFileBytes(game.dataFile, DataFileOf(before));
    Start(kMissionIni);
    // A typed title that is not stored changes nothing but the form, though Gamma's line is chosen.
    run->Choose(IDC_SETUPS, 1);
    SetWindowTextA(Item(IDC_SETUPS), "Gam");
    run->Click(IDC_DELETE);
    ExpectClearedForm();
    EXPECT_EQ(DataFile(), DataFileOf(before));
    run->Choose(IDC_SETUPS, 0);
    run->Click(IDC_DELETE);
    ExpectClearedForm();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));  // until the next start
    EXPECT_EQ(DataFile(), DataFileOf({{"Alpha", CSkirmakerData()}, before[1]}));
    End(IDCANCEL);
    // The teardown frees the records the list lines pointed at.
    EXPECT_EQ(run->dlg->m_mapSetups.GetCount() + run->dlg->m_mapCatalogue.size(), 0u);
    Start();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", "Gamma"}));
    run->Choose(IDC_SETUPS, 0);
    EXPECT_EQ(Shown(), Describe(CSetupForm()));
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
