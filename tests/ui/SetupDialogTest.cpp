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
    return CSkirmakerData::Saved(title, form);
}

using Entries = std::vector<std::pair<std::string, std::optional<CSkirmakerData>>>;
std::string DataFileOf(const Entries& entries) {
    CSetupStore store;
    for (const auto& [key, record] : entries) store.Store(key, record);
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
        wchar_t text[512] = {};
        GetMenuStringW(GetSystemMenu(run->hWnd, FALSE), id, text, std::size(text), MF_BYCOMMAND);
        return files::Narrow(text);
    }
    // Fills the form with `record`, types `title` and clicks Save; returns the record Save should store.
    CSkirmakerData Save(const CSkirmakerData& record, const std::string& title) {
        const CSetupForm form = record.Form();
        for (const ShipPlace& place : kShipPlaces) SetWindowTextA(Item(place.controlId), (form.*place.member).c_str());
        for (const ModeBox& box : kModeBoxes) CheckDlgButton(run->hWnd, box.controlId, form.*box.member);
        SetWindowTextA(Item(IDC_COMMENTS), form.m_strComments.c_str());
        SendMessageA(SetupsEdit(), EM_SETSEL, 0, -1);
        PostKey(SetupsEdit(), VK_DELETE);
        TypeText(*run->ui, SetupsEdit(), title);
        run->Click(IDC_SAVE);
        return CSkirmakerData::Saved(title, form);
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
    // The data file beside the program (here, the test program), used when the working folder has none.
    static fs::path BesideProgram() { return fs::path(_pgmptr).parent_path() / "SkirmakerData.dat"; }
};

TEST_F(SetupDialogTest, AnUnreadableSettingsFileIsNamedOnceAndSelectSaysWhatToDo) {
    Start(std::string("\xFF\xFE[\0M\0]\0", 8));
    ExpectOneBox(MB_ICONWARNING, "save it again with the encoding ANSI.\nThe setup last applied");
    EXPECT_EQ(CatalogueSize(), 300);
    EXPECT_EQ(Text(IDC_SETUP_TITLE) + Text(IDC_SHIP1), "");
    ClearBoxes();
    for (const int id : {IDC_PLAYER_VS_AI, IDC_HOST_SELECT_SHIPS, IDOK}) run->Click(id);
    ExpectOneBox(MB_OK, "Error saving to sripts.ini; code 1630.\n\"" + Utf8(game.scriptsIni) + "\": The file is saved as");
}

// Select writes nothing unless the setup is playable, leaving the game's as it was; after writing, it warns
// when the game will not list the mission (no script; a list older than it, set aside on Yes), then confirms
// as ever; the check window finds the same. A file Select may not write is the end-to-end test's.
TEST_F(SetupDialogTest, SelectWritesOnlyAPlayableSetupAndSaysWhenTheGameWillNotListTheMission) {
    // No box ticked; the mode is read afresh at each start, as the boxes' clicks set it in memory.
    const std::string ini =
        "[Mul_Skirmaker]\r\nsetup=Applied\r\nship1=\"Kestrel\"\r\nTeamSettings=0\r\nPlayerShipSettings=0\r\n";
    const fs::path list = game.scriptsIni.parent_path() / "AllScripts.cache", old = list.string() + ".old";
    const std::vector<int> playable{IDC_PLAYER_VS_AI, IDC_HOST_SELECT_SHIPS};
    // Boxes ticked; the list's age in hours (0: no script); the answer; a check line; the list and its old name left.
    const struct { std::vector<int> ticked; int age, answer; const char* line; const char* left; } cases[] = {
        {{}, 1, IDOK, "Mission list: OK", ""}, {{IDC_PLAYER_VS_AI}, 1, IDOK, "Mission list: OK", ""},
        {{IDC_PLAYER_SELECT_SHIPS}, 1, IDOK, "Mission list: OK", ""}, {playable, 1, IDOK, "Mission list: OK", "10"},
        {playable, -1, IDYES, "Mission list: PROBLEM", "01"}, {playable, -1, IDNO, "Mission list: PROBLEM", "11"},
        {playable, 0, IDOK, "Mission script: PROBLEM", "11"}};
    for (const auto& [ticked, age, answer, line, left] : cases) {
        WriteFileBytes(list, "");
        fs::last_write_time(list, fs::file_time_type::clock::now() + std::chrono::hours(age));
        if (age == 0) fs::remove(list.parent_path() / "Mul_Skirmaker.scr");
        Start(ini, {answer});
        for (const int id : ticked) run->Click(id);
        PostMessageA(run->hWnd, WM_SYSCOMMAND, IDM_CHECKINSTALLATION, 0);
        const HWND check = WaitForDialog("Check installation");
        EXPECT_NE(WindowText(GetDlgItem(check, IDC_CHECK_LIST)).find(line), std::string::npos) << line;
        PostKey(GetDlgItem(check, IDCANCEL), VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(check); }));
        SendMessageA(Item(IDOK), BM_CLICK, 0, 0);
        if (ticked.size() < 2) {
            ExpectOneBox(MB_OK, "You must select the game setup options from the dialog!");
            EXPECT_EQ(Boxes()[0].caption, "No Option Selected!");
            EXPECT_EQ(ReadFileBytes(game.scriptsIni), ini);
            continue;
        }
        ASSERT_TRUE(run->ui->Join());
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), age > 0 ? 1u : 2u);
        EXPECT_EQ(boxes.back().text, "Game Setup Saved For Voidwake Game Play!");
        if (age <= 0) {
            EXPECT_EQ(boxes[0].type, static_cast<UINT>(age ? MB_YESNO | MB_ICONWARNING : MB_ICONWARNING));
            EXPECT_NE(boxes[0].text.find("\"" + list.parent_path().string() + "\""), std::string::npos);
        }
        EXPECT_EQ(std::to_string(fs::exists(list)) + std::to_string(fs::exists(old)), left);
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
    EXPECT_EQ(run->dlg->m_mapSetups.Find(text)->Form().m_strComments, text);
}

// With every setup saved, Esc and the close box write nothing and ask nothing;
// after a failed save they and Select ask first, and No stays, having written nothing.
TEST_F(SetupDialogTest, EnterInTheCommentsStartsANewLineAndNoWayOutDropsUnsavedSetupsUnasked) {
    WriteFileBytes(game.dataFile, DataFileOf({}));
    SetFileAttributesA(game.dataFile.string().c_str(), FILE_ATTRIBUTE_READONLY);
    for (const int way : {IDCANCEL, WM_CLOSE, IDOK}) {
        for (const bool saveFails : {false, true}) {
            Start(kMissionIni);
            run->Focus(Item(IDC_COMMENTS));
            TypeText(*run->ui, Item(IDC_COMMENTS), "a");
            PostKey(Item(IDC_COMMENTS), VK_RETURN);
            TypeText(*run->ui, Item(IDC_COMMENTS), "b");
            EXPECT_EQ(Text(IDC_COMMENTS), "a\r\nb");
            if (saveFails) Save(Record("form", {0, 1, 1, 0}), "Beta");
            for (const int answer : saveFails ? std::vector{IDNO, IDYES} : std::vector{IDYES}) {
                ClearBoxes({answer});
                if (way == IDCANCEL) PostKey(Item(IDC_SHIP1), VK_ESCAPE);
                else PostMessageA(way == IDOK ? Item(IDOK) : run->hWnd, way == IDOK ? BM_CLICK : WM_CLOSE, 0, 0);
                if (answer == IDNO) run->ui->Flush();
                else ASSERT_TRUE(run->ui->Join());
                // The question, then the confirmation of a Select.
                ASSERT_EQ(Boxes().size(), (saveFails ? 1u : 0u) + (way == IDOK && answer == IDYES));
                if (saveFails) {
                    EXPECT_EQ(Boxes()[0].type, static_cast<UINT>(MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2));
                    EXPECT_NE(Boxes()[0].text.find("The setups are not saved"), std::string::npos);
                }
                EXPECT_EQ(ReadFileBytes(game.scriptsIni) == kMissionIni, answer == IDNO || way != IDOK);
            }
            EXPECT_EQ(run->result, way == IDOK ? IDOK : IDCANCEL);
        }
    }
}

// The folders offered have names the ANSI code page cannot hold.
TEST_F(SetupDialogTest, AFolderChosenWithoutTheGameIsLoadedRememberedAndPreferredWhileItHoldsTheGame) {
    const fs::path chosen = game.root / L"Игры", elsewhere = game.root / L"ゲーム";
    for (const fs::path& folder : {chosen / "Assets" / "Scripts", elsewhere}) fs::create_directories(folder);
    WriteFileBytes(chosen / "Assets" / "Scripts" / "scripts.ini", "[Mul_Skirmaker]\r\nsetup=Chosen\r\n");
    GameSandbox::RemoveGame();
    {
        PickerStandIn picker({Utf8(elsewhere), Utf8(chosen)});
        Start({IDOK, IDYES, IDYES});  // the error; choose now; choose again after a folder without the game
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[0].text, "Error reading from skirmaker.ini; code 2.");
        EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_NE(boxes[2].text.find(Utf8(elsewhere)), std::string::npos) << boxes[2].text;
        EXPECT_EQ(Text(IDC_SETUP_TITLE), "Chosen");
        EXPECT_EQ(CatalogueSize(), 300);
        EXPECT_NE(MenuText(IDM_GAMEFOLDER).find(Utf8(chosen)), std::string::npos);
        run.reset();
    }
    // The remembered folder wins over the registry's; once it has lost the game, the registry's is used.
    GameSandbox other;
    WriteFileBytes(other.scriptsIni, "[Mul_Skirmaker]\r\nsetup=Registry\r\n");
    theMissionSettings.ChooseInstallFolder(Utf8(chosen));
    for (const char* expected : {"Chosen", "Registry"}) {
        Start();
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(Text(IDC_SETUP_TITLE), expected);
        fs::remove_all(chosen / "Assets");
    }
    run.reset();
}

// Without the game the start-up stops before reading the data file, so neither
// Save nor Close may write it; setups made meanwhile are not lost unasked.
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
    ClearBoxes({IDOK, IDOK, IDYES});
    Save(Record("form"), "Beta");
    ExpectOneBox(MB_ICONWARNING, "not saved");
    EXPECT_EQ(Text(IDC_SHIP1), "form A1") << "the form stays";
    End(IDOK);
    EXPECT_EQ(Boxes().size(), 3u);  // Close says why it did not write, and asks
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
// player places are disabled; text that is no setup changes nothing; a
// character the system's code page lacks becomes "?", and the user hears where.
TEST_F(SetupDialogTest, ACopiedSetupPastesIntoAnotherFormAndOtherTextChangesNothing) {
    Start("[Mul_Skirmaker]\r\nsetup=Du\xE9l\r\nship2=\"Kestrel\"\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n");
    PostMessageA(run->hWnd, WM_SYSCOMMAND, IDM_COPYSETUP, 0);
    run->ui->Flush();
    std::string copied;
    ASSERT_EQ(AfxGetClipboardText(nullptr, copied, 4096), ClipboardText::Read);
    EXPECT_TRUE(copied.starts_with("; Skirmaker setup: Du\xC3\xA9l\r\n[Mul_Skirmaker]\r\nsetup=Du\xC3\xA9l\r\n")) << copied;
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
    ASSERT_TRUE(AfxSetClipboardText(nullptr, "[Mul_Skirmaker]\r\nsetup=Дуэль\r\nship10=\"ł\"\r\nTeamSettings=2\r\n"
                                             "PlayerShipSettings=8\r\n"));
    ClearBoxes();
    PostMessageA(run->hWnd, WM_SYSCOMMAND, IDM_PASTESETUP, 0);
    run->ui->Flush();
    ExpectOneBox(MB_ICONWARNING, "became \"?\" in P2 and the title.");
    EXPECT_EQ(Text(IDC_SETUP_TITLE) + Text(IDC_SHIP10), "?????\"?\"");
    EXPECT_FALSE(fs::exists(game.dataFile));
}

// Save with a title that is new, stored already, listed without a record, stored in another letter case, or empty.
TEST_F(SetupDialogTest, SaveStoresTheFormUnderTheTypedTitle) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"Beta", {"Alpha", "Beta", "Gamma"}}, {"Alpha", {"Alpha", "Gamma"}}, {"Delta", {"Alpha", "Delta", "Gamma"}},
        {"", {"Alpha", "Gamma"}}, {"alpha", {"alpha", "Alpha", "Gamma"}}, {" Alpha", {" Alpha", "Alpha", "Gamma"}}};
    const Entries before{{"Alpha", Record("Alpha", {1, 0, 1, 0})}, {"Delta", std::nullopt},
                         {"Gamma", Record("Gamma", {0, 1, 0, 1})}};
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
            CSetupForm kept = form.Form();
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
    WriteFileBytes(BesideProgram(), DataFileOf({{"Beside", Record("Beside")}}));  // the working folder's wins
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
        EXPECT_EQ(Shown(), Describe(entries[i].second->Form()));
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
    fs::remove(BesideProgram());
}

// Delete is written at once, so it lasts even when the program is left with Esc;
// here to the setups kept beside the program, as the working folder has none.
TEST_F(SetupDialogTest, DeleteBlanksTheSetupAndWritesItAtOnce) {
    const Entries before{{"Alpha", Record("Alpha", {1, 1, 1, 1})}, {"Gamma", Record("Gamma", {0, 0, 1, 0})}};
    WriteFileBytes(BesideProgram(), DataFileOf(before));
    Start(kMissionIni);
    // A typed title that is not stored, or none, changes nothing, though Gamma's line is chosen: the user hears why.
    run->Choose(IDC_SETUPS, 1);
    for (const char* typed : {"Gam", ""}) {
        SetWindowTextA(Item(IDC_SETUPS), typed);
        run->Click(IDC_DELETE);
        ExpectOneBox(MB_ICONINFORMATION, *typed ? "nothing was deleted" : "setup to delete");
        ClearBoxes();
        EXPECT_EQ(Shown(), Describe(before[1].second->Form()));
    }
    EXPECT_EQ(ReadFileBytes(BesideProgram()), DataFileOf(before));
    run->Choose(IDC_SETUPS, 0);
    run->Click(IDC_DELETE);
    ExpectClearedForm();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));  // until the next start
    EXPECT_EQ(ReadFileBytes(BesideProgram()), DataFileOf({{"Alpha", CSkirmakerData()}, before[1]}));
    End(IDCANCEL);
    // The teardown frees the records the list lines pointed at.
    EXPECT_EQ(run->dlg->m_mapSetups.GetCount(), 0u);
    Start();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"", "Gamma"}));
    run->Choose(IDC_SETUPS, 0);
    EXPECT_EQ(Shown(), Describe(CSetupForm()));
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(fs::exists(game.dataFile));
    fs::remove(BesideProgram());
}

}  // namespace
