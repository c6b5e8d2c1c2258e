// The saved-setups commands of the setup dialog, driven through real messages:
// the setup list, Save, Delete, Close, the teardown, and the data file they write.
#include "DialogHarness.h"
#include "SetupBytes.h"

#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "setups/SetupDataFile.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

using namespace skmtest;

namespace {

constexpr int kModeBoxes[] = {IDC_HOST_SELECT_SHIPS, IDC_PLAYER_SELECT_SHIPS, IDC_PLAYER_VS_AI, IDC_PLAYER_VS_PLAYER};
const char kAppliedTitle[] = "Applied Title";
const std::string kMissionIni = std::string("[Mul_Skirmaker]\r\nsetup=") + kAppliedTitle +
                                "\r\nship1=Kestrel\r\nship9=Dart\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n";
using D = CSkirmakerData;
constexpr std::string D::*kRecordShips[CSkirmakerDlg::kShipCount + 1] = {
    nullptr, &D::m_strShip1, &D::m_strShip2, &D::m_strShip3, &D::m_strShip4, &D::m_strShip5, &D::m_strShip6,
    &D::m_strShip7, &D::m_strShip8, &D::m_strShip9, &D::m_strShip10, &D::m_strShip11, &D::m_strShip12,
    &D::m_strShip13, &D::m_strShip14};

// The flags in the order of kModeBoxes.
std::array<std::int32_t*, 4> Flags(CSkirmakerData& r) {
    return {&r.m_bHostSelectShips, &r.m_bPlayerSelectShips, &r.m_bPlayerVsAI, &r.m_bPlayerVsPlayer};
}

std::string Counted(const std::string& text) { return Bytes({static_cast<int>(text.size())}) + text; }

// A record whose texts derive from `title`, each ship place its own.
CSkirmakerData Record(const std::string& title, std::array<int, 4> flags = {}) {
    CSkirmakerData record;
    record.m_strTitle = title;
    record.m_strSetupTitle = "Shown " + title;
    for (int n = 1; n <= CSkirmakerDlg::kShipCount; ++n) record.*kRecordShips[n] = title + " ship" + std::to_string(n);
    for (int i = 0; i < 4; ++i) *Flags(record)[i] = flags[i];
    record.m_strComments = "about " + title + "\r\nsecond line";
    return record;
}

using Entries = std::vector<std::pair<std::string, CSkirmakerData>>;
CSetupStore StoreOf(const Entries& entries) {
    CSetupStore store;
    for (const auto& [key, record] : entries) store.Store(key, std::make_unique<CSkirmakerData>(record));
    return store;
}
std::string DataFileOf(const Entries& entries) {
    CSetupStore store = StoreOf(entries);
    return CSetupDataFile::Encode(store);
}

// What a mode handler or a ship field change would alter in the mission record.
auto Mission() {
    return std::make_tuple(theMissionSettings.m_strSetup, theMissionSettings.m_strShips,
                           theMissionSettings.GetTeamSettings(), theMissionSettings.GetPlayerShipSettings());
}

class SetupCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { m_game.WriteScriptsIni(kMissionIni); }
    void TearDown() override {
        if (m_ui && !m_ui->Finished() && PostMessageA(m_dlg->m_hWnd, WM_COMMAND, IDCANCEL, 0)) m_ui->Join();
    }

    // Starts the program's dialog afresh in the same game and working folder.
    void Start() {
        m_ui.reset();  // joins the run before
        theMissionSettings = CMissionSettings();
        m_dlg = std::make_unique<CSkirmakerDlg>();
        m_ui = std::make_unique<UiThread>([this] { m_result = m_dlg->DoModal(); });
        ASSERT_TRUE(WaitFor([this] { return m_dlg->m_hWnd && IsWindowVisible(m_dlg->m_hWnd); }));
        m_ui->Flush();
    }
    HWND Item(int id) const { return GetDlgItem(m_dlg->m_hWnd, id); }
    HWND Setups() const { return Item(IDC_SETUPS); }
    HWND SetupsEdit() const { return FindWindowExA(Setups(), nullptr, "Edit", nullptr); }
    void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        m_ui->Flush();
    }
    // Fills the form with `record`, types `title` and clicks Save; returns the record Save should store.
    CSkirmakerData Save(CSkirmakerData record, const std::string& title) {
        for (int n = 1; n <= CSkirmakerDlg::kShipCount; ++n)
            SetWindowTextA(Item(CSkirmakerDlg::kShipEditIds[n]), (record.*kRecordShips[n]).c_str());
        for (int i = 0; i < 4; ++i) SendMessageA(Item(kModeBoxes[i]), BM_SETCHECK, *Flags(record)[i], 0);
        SetWindowTextA(Item(IDC_COMMENTS), record.m_strComments.c_str());
        SendMessageA(SetupsEdit(), EM_SETSEL, 0, -1);
        PostKey(SetupsEdit(), VK_DELETE);
        TypeText(*m_ui, SetupsEdit(), title);
        Click(IDC_SAVE);
        record.m_strTitle = record.m_strSetupTitle = title;
        return record;
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < m_dlg->m_comboSetups.GetCount(); ++i) lines.push_back(m_dlg->m_comboSetups.GetLBText(i));
        return lines;
    }
    // Chooses a line the way the list reports a choice.
    void Choose(int index) {
        m_dlg->m_comboSetups.SetCurSel(index);
        const WPARAM command = MAKEWPARAM(IDC_SETUPS, CBN_SELCHANGE);
        SendMessageA(m_dlg->m_hWnd, WM_COMMAND, command, reinterpret_cast<LPARAM>(Setups()));
        m_ui->Flush();
    }
    // 1 when P1-P6 are all enabled, 0 when all are disabled, -1 when mixed.
    int PlayerShips() const {
        int on = 0;
        for (int n = 9; n <= CSkirmakerDlg::kShipCount; ++n)
            on += IsWindowEnabled(Item(CSkirmakerDlg::kShipEditIds[n])) ? 1 : 0;
        return on == 6 ? 1 : on == 0 ? 0 : -1;
    }
    // The form shows `record` under the list's text, a box ticked for any flag but 0.
    void ExpectForm(CSkirmakerData record) const {
        CSkirmakerData form;
        form.m_strTitle = WindowText(Setups());
        form.m_strSetupTitle = WindowText(Item(IDC_SETUP_TITLE));
        for (int n = 1; n <= CSkirmakerDlg::kShipCount; ++n)
            form.*kRecordShips[n] = WindowText(Item(CSkirmakerDlg::kShipEditIds[n]));
        for (int i = 0; i < 4; ++i) {
            *Flags(form)[i] = SendMessageA(Item(kModeBoxes[i]), BM_GETCHECK, 0, 0) == BST_CHECKED;
            *Flags(record)[i] = *Flags(record)[i] != 0;
        }
        form.m_strComments = WindowText(Item(IDC_COMMENTS));
        EXPECT_TRUE(form == record) << "shown: " << form.m_strTitle << " / " << form.m_strShip1;
    }
    // After Save and Delete: an empty form under the applied title, the keyboard in the list.
    void ExpectClearedForm() const {
        CSkirmakerData empty;
        empty.m_strSetupTitle = kAppliedTitle;
        ExpectForm(empty);
        EXPECT_EQ(m_dlg->m_comboSetups.GetCurSel(), CB_ERR);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(m_dlg->m_hWnd, nullptr), &info);
        EXPECT_EQ(info.hwndFocus, SetupsEdit());
    }
    // Ends the dialog with Close (IDOK) or Esc (IDCANCEL).
    void End(int command) {
        if (command == IDOK)
            SendMessageA(Item(IDC_CLOSE_BUTTON), BM_CLICK, 0, 0);
        else
            PostKey(Item(IDC_SHIP1), VK_ESCAPE);
        ASSERT_TRUE(m_ui->Join());
        EXPECT_EQ(m_result, command);
    }
    std::string DataFile() const { return ReadFileBytes(m_game.DataFile()); }
    void WriteDataFile(const std::string& bytes) const { WriteFileBytes(m_game.DataFile(), bytes); }
    // Nothing but the data file is left in the working folder: no temporary file.
    void ExpectOnlyTheDataFile() const {
        const std::string& path = m_game.DataFile();
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path.substr(0, path.rfind('\\') + 1) + "*").c_str(), &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE);
        std::vector<std::string> names;
        do if (found.cFileName[0] != '.') names.push_back(found.cFileName); while (FindNextFileA(search, &found));
        FindClose(search);
        EXPECT_EQ(names, std::vector<std::string>{"SkirmakerData.dat"});
    }
    // One message box, owned by the dialog, naming the data file.
    void ExpectOneBox(UINT type, const std::string& words) const {
        const auto boxes = m_boxes.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(words), std::string::npos) << boxes[0].text;
        EXPECT_NE(boxes[0].text.find("\"SkirmakerData.dat\""), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].type, type);
        EXPECT_EQ(boxes[0].owner, m_dlg->m_hWnd);
    }

    GameSandbox m_game;
    MessageBoxRecorder m_boxes;
    std::unique_ptr<CSkirmakerDlg> m_dlg;
    std::unique_ptr<UiThread> m_ui;
    INT_PTR m_result = 0;
};

TEST_F(SetupCommandsTest, CloseWithoutADataFileWritesTheEmptyStoreAndSaveWritesOneRecord) {
    Start();
    EXPECT_TRUE(Lines().empty());
    End(IDOK);
    EXPECT_EQ(DataFile(), Bytes({0x00, 0x00}));
    EXPECT_EQ(m_dlg->m_mapSetups.GetCount() + m_dlg->m_mapCatalogue.size(), 0u) << "the teardown frees the records";

    Start();
    CSkirmakerData form;
    form.m_strShip1 = "Kestrel";
    form.m_strShip9 = "Dart";
    form.m_bHostSelectShips = form.m_bPlayerVsAI = 1;
    form.m_strComments = "two\r\nlines";
    Save(form, "Wolf Pack");
    const std::string title = Counted("Wolf Pack");
    EXPECT_EQ(DataFile(), Bytes({1, 0}) + title + NewClassTag() + title + Counted("Kestrel") + std::string(7, '\0') +
                              Counted("Dart") + std::string(5, '\0') + title +
                              Bytes({1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}) + Counted("two\r\nlines"));
    EXPECT_EQ(Lines(), std::vector<std::string>{"Wolf Pack"});
    ExpectClearedForm();
    EXPECT_EQ(m_game.ReadScriptsIni(), kMissionIni);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

// Save with a title that is new, stored already, stored in another letter case, or empty.
struct SaveCase {
    const char* title;
    std::vector<std::string> lines;
};
class SaveTitleTest : public SetupCommandsTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveTitleTest, SaveStoresTheFormUnderTheTypedTitle) {
    const auto& [title, lines] = GetParam();
    const Entries before{{"Alpha", Record("Alpha", {1, 0, 1, 0})}, {"Gamma", Record("Gamma", {0, 1, 0, 1})}};
    // Bytes after the last entry are ignored on reading and gone after the write.
    WriteDataFile(DataFileOf(before) + "trailing");
    Start();
    Entries expected = before;
    const CSkirmakerData saved = Save(Record("form", {0, 1, 1, 0}), title);
    if (*title) expected.emplace_back(title, saved);

    // The list sorts without regard to case, so lines differing only in case come in either order.
    const std::vector<std::string> shown = Lines();
    EXPECT_TRUE(std::is_permutation(shown.begin(), shown.end(), lines.begin(), lines.end()));
    for (int i = 0; i < static_cast<int>(shown.size()); ++i)  // each line carries the record stored under its text
        EXPECT_EQ(m_dlg->m_comboSetups.GetItemDataPtr(i), m_dlg->m_mapSetups.Find(shown[i])) << shown[i];
    EXPECT_EQ(DataFile(), DataFileOf(expected));
    ExpectClearedForm();
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Titles, SaveTitleTest,
                         ::testing::Values(SaveCase{"Beta", {"Alpha", "Beta", "Gamma"}},
                                           SaveCase{"Alpha", {"Alpha", "Gamma"}}, SaveCase{"", {"Alpha", "Gamma"}},
                                           SaveCase{"alpha", {"alpha", "Alpha", "Gamma"}},
                                           SaveCase{" Alpha", {" Alpha", "Alpha", "Gamma"}}));

TEST_F(SetupCommandsTest, ChoosingALineShowsItsRecordWithoutTouchingTheMission) {
    // Host flag 1 enables P1-P6 and 0 disables them; any other value leaves them as they are.
    const struct { std::array<int, 4> flags; int playerShips; } rows[] = {{{1, 0, 1, 0}, 1}, {{2, 1, 0, 0}, 1},
        {{0, 1, 0, 1}, 0}, {{2, 0, 1, 1}, 0}, {{1, 1, 1, 1}, 1}, {{0, 0, 1, 1}, 0}};
    Entries entries;
    for (const auto& row : rows) {
        const std::string title(1, static_cast<char>('A' + entries.size()));
        entries.emplace_back(title, Record(title, row.flags));
    }
    WriteDataFile(DataFileOf(entries));
    Start();
    const auto mission = Mission();
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        Choose(i);
        ExpectForm(entries[i].second);
        EXPECT_EQ(PlayerShips(), rows[i].playerShips) << entries[i].first;
    }
    EXPECT_TRUE(Mission() == mission);
    EXPECT_EQ(m_game.ReadScriptsIni(), kMissionIni);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

// Delete, then Esc or Close, then a new start of the program.
TEST_F(SetupCommandsTest, DeleteBlanksTheSetupUntilCloseWritesIt) {
    const CSkirmakerData alpha = Record("Alpha", {1, 1, 1, 1}), blank;
    const Entries before{{"Alpha", alpha}, {"Gamma", Record("Gamma", {0, 0, 1, 0})}};
    const Entries after{{"Alpha", blank}, before[1]};
    WriteDataFile(DataFileOf(before));
    Start();
    // A typed title that is not stored changes nothing but the form, though Gamma's line is chosen.
    Choose(1);
    SetWindowTextA(Setups(), "Gam");
    ASSERT_EQ(m_dlg->m_comboSetups.GetCurSel(), 1);
    Click(IDC_DELETE);
    ExpectClearedForm();
    EXPECT_TRUE(m_dlg->m_mapSetups == StoreOf(before));

    for (const int command : {IDCANCEL, IDOK}) {
        Choose(0);
        Click(IDC_DELETE);
        ExpectClearedForm();
        EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));
        EXPECT_TRUE(m_dlg->m_mapSetups == StoreOf(after));
        EXPECT_EQ(DataFile(), DataFileOf(before));
        End(command);
        EXPECT_EQ(DataFile(), DataFileOf(command == IDOK ? after : before));
        Start();
        EXPECT_EQ(Lines(), (std::vector<std::string>{command == IDOK ? "" : "Alpha", "Gamma"}));
        Choose(0);
        ExpectForm(command == IDOK ? blank : alpha);
    }
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(SetupCommandsTest, AFailedWriteIsReportedAndALaterSaveOrCloseSucceeds) {
    const Entries before{{"Alpha", Record("Alpha")}};
    WriteDataFile(DataFileOf(before));
    // Another program reads the file and lets nobody write it meanwhile.
    HANDLE holder = CreateFileA(m_game.DataFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Start();
    const Entries after{before[0], {"Beta", Save(Record("form", {1, 0, 1, 0}), "Beta")}};
    ExpectOneBox(MB_ICONERROR, "code 5");
    EXPECT_TRUE(m_dlg->m_mapSetups == StoreOf(after));
    EXPECT_EQ(WindowText(Item(IDC_SHIP1)), "form ship1") << "the form stays for another try";
    Click(IDC_CLOSE_BUTTON);
    EXPECT_FALSE(m_ui->Finished());
    EXPECT_EQ(m_boxes.Boxes().size(), 2u);
    EXPECT_EQ(DataFile(), DataFileOf(before));

    CloseHandle(holder);
    Click(IDC_SAVE);
    EXPECT_EQ(DataFile(), DataFileOf(after));
    ExpectClearedForm();
    End(IDOK);
    EXPECT_EQ(DataFile(), DataFileOf(after));
    EXPECT_EQ(m_boxes.Boxes().size(), 2u);
    ExpectOnlyTheDataFile();
}

TEST_F(SetupCommandsTest, AMalformedFileIsReportedOnceAndKeptBesideTheNewOne) {
    const Entries alpha{{"Alpha", Record("Alpha")}};
    std::string damaged = DataFileOf({alpha[0], {"Beta", Record("Beta")}});
    damaged.resize(damaged.size() - 5);  // ends inside Beta's record
    WriteDataFile(damaged);
    Start();
    ExpectOneBox(MB_ICONWARNING, "damaged");
    EXPECT_EQ(Lines(), std::vector<std::string>{"Alpha"});
    Choose(0);
    ExpectForm(alpha[0].second);

    const Entries after{alpha[0], {"Gamma", Save(Record("form"), "Gamma")}};
    const std::string bad = m_game.DataFile() + ".bad";
    EXPECT_EQ(ReadFileBytes(bad), damaged);
    EXPECT_EQ(DataFile(), DataFileOf(after));
    End(IDOK);
    // Kept aside once only: the second write replaces the sound file.
    EXPECT_FALSE(FileExists(bad + "2"));
    Start();
    EXPECT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));
}

// Without the game the dialog stops its start-up before reading the data file,
// so neither Save nor Close may write it; setups made meanwhile are not lost unseen.
TEST_F(SetupCommandsTest, ARunThatNeverReadTheDataFileLeavesItAloneAndSaysSo) {
    const std::string before = DataFileOf({{"Alpha", Record("Alpha")}});
    WriteDataFile(before);
    SetInstallPath(nullptr, false);
    Start();
    ASSERT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_TRUE(Lines().empty());
    m_boxes.Clear();
    Save(Record("form"), "Beta");
    ExpectOneBox(MB_ICONWARNING, "not saved");
    EXPECT_EQ(WindowText(Item(IDC_SHIP1)), "form ship1") << "the form stays";
    End(IDOK);
    EXPECT_EQ(m_boxes.Boxes().size(), 2u);
    EXPECT_EQ(DataFile(), before);
}

}  // namespace
