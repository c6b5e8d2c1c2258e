// The saved-setups commands of the setup dialog, driven through real messages:
// the setup list, Save, Delete, Close, and the data file they write.
#include "DialogHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

using namespace skmtest;

namespace {

const char kAppliedTitle[] = "Applied Title";
const std::string kMissionIni = std::string("[Mul_Skirmaker]\r\nsetup=") + kAppliedTitle +
                                "\r\nship1=Kestrel\r\nship9=Dart\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n";

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

class SetupCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { WriteFileBytes(m_game.scriptsIni, kMissionIni); }

    void Start() {
        m_run.reset();
        ClearBoxes();
        m_run = std::make_unique<SetupDialogRun>();
    }
    HWND Setups() const { return m_run->Item(IDC_SETUPS); }
    HWND SetupsEdit() const { return FindWindowExA(Setups(), nullptr, "Edit", nullptr); }
    // Fills the form with `record`, types `title` and clicks Save; returns the record Save should store.
    CSkirmakerData Save(const CSkirmakerData& record, const std::string& title) {
        for (const ShipPlace& place : kShipPlaces) SetWindowTextA(m_run->Item(place.controlId), (record.*place.member).c_str());
        for (const ModeBox& box : kModeBoxes) CheckDlgButton(m_run->hWnd, box.controlId, record.*box.member);
        SetWindowTextA(m_run->Item(IDC_COMMENTS), record.m_strComments.c_str());
        SendMessageA(SetupsEdit(), EM_SETSEL, 0, -1);
        PostKey(SetupsEdit(), VK_DELETE);
        TypeText(*m_run->ui, SetupsEdit(), title);
        m_run->Click(IDC_SAVE);
        CSkirmakerData saved;
        saved.Fill(title, record);
        return saved;
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        for (int i = 0; i < m_run->dlg->m_comboSetups.GetCount(); ++i) lines.push_back(m_run->dlg->m_comboSetups.GetLBText(i));
        return lines;
    }
    // Chooses a line the way the list reports a choice.
    void Choose(int index) {
        m_run->dlg->m_comboSetups.SetCurSel(index);
        SendMessageA(m_run->hWnd, WM_COMMAND, MAKEWPARAM(IDC_SETUPS, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Setups()));
        m_run->ui->Flush();
    }
    // What the form's controls show, in Describe's order.
    std::string Shown() const {
        CSetupForm form;
        form.m_strSetupTitle = WindowText(m_run->Item(IDC_SETUP_TITLE));
        for (const ShipPlace& place : kShipPlaces) form.*place.member = WindowText(m_run->Item(place.controlId));
        for (const ModeBox& box : kModeBoxes) form.*box.member = IsDlgButtonChecked(m_run->hWnd, box.controlId);
        form.m_strComments = WindowText(m_run->Item(IDC_COMMENTS));
        return Describe(form);
    }
    // After Save and Delete: an empty form under the applied title, the keyboard in the list.
    void ExpectClearedForm() const {
        EXPECT_EQ(Shown(), Describe(CSetupForm::Cleared(kAppliedTitle)));
        EXPECT_EQ(m_run->dlg->m_comboSetups.GetCurSel(), CB_ERR);
        EXPECT_EQ(m_run->Gui().hwndFocus, SetupsEdit());
    }
    // Ends the dialog with Close (IDOK) or Esc (IDCANCEL).
    void End(int command) {
        if (command == IDOK)
            SendMessageA(m_run->Item(IDC_CLOSE_BUTTON), BM_CLICK, 0, 0);
        ASSERT_TRUE(command == IDOK ? m_run->ui->Join() : m_run->Close());
        EXPECT_EQ(m_run->result, command);
    }
    std::string DataFile() const { return ReadFileBytes(m_game.dataFile); }
    void WriteDataFile(const std::string& bytes) const { WriteFileBytes(m_game.dataFile, bytes); }
    // One message box, owned by the dialog, naming the data file.
    void ExpectOneBox(UINT type, const std::string& words) const {
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(words), std::string::npos) << boxes[0].text;
        EXPECT_NE(boxes[0].text.find("\"SkirmakerData.dat\""), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].type, type);
        EXPECT_EQ(boxes[0].owner, m_run->hWnd);
    }

    GameSandbox m_game;
    std::unique_ptr<SetupDialogRun> m_run;
};

// Save with a title that is new, stored already, stored in another letter case, or empty.
TEST_F(SetupCommandsTest, SaveStoresTheFormUnderTheTypedTitle) {
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"Beta", {"Alpha", "Beta", "Gamma"}}, {"Alpha", {"Alpha", "Gamma"}}, {"", {"Alpha", "Gamma"}},
        {"alpha", {"alpha", "Alpha", "Gamma"}}, {" Alpha", {" Alpha", "Alpha", "Gamma"}}};
    const Entries before{{"Alpha", Record("Alpha", {1, 0, 1, 0})}, {"Gamma", Record("Gamma", {0, 1, 0, 1})}};
    for (const auto& [title, lines] : cases) {
        SCOPED_TRACE(title);
        // Bytes after the last entry are ignored on reading and gone after the write.
        WriteDataFile(DataFileOf(before) + "trailing");
        Start();
        Entries expected = before;
        const CSkirmakerData form = Record("form", {0, 1, 1, 0});
        const CSkirmakerData saved = Save(form, title);
        if (*title) expected.emplace_back(title, saved);  // a stored title's record is replaced
        // The list sorts without regard to case, so lines differing only in case come in either order.
        const std::vector<std::string> shown = Lines();
        EXPECT_TRUE(std::is_permutation(shown.begin(), shown.end(), lines.begin(), lines.end()));
        for (int i = 0; i < static_cast<int>(shown.size()); ++i)  // each line carries the record stored under its text
            EXPECT_EQ(m_run->dlg->m_comboSetups.GetItemDataPtr(i), m_run->dlg->m_mapSetups.Find(shown[i])) << shown[i];
        if (*title) {
            EXPECT_EQ(DataFile(), DataFileOf(expected));
            ExpectClearedForm();
            EXPECT_TRUE(Boxes().empty());
        } else {  // nothing is saved under no title: the user is asked for one and the form stays
            EXPECT_EQ(DataFile(), DataFileOf(before) + "trailing");
            CSetupForm kept = form;
            kept.m_strSetupTitle = kAppliedTitle;
            EXPECT_EQ(Shown(), Describe(kept));
            ASSERT_EQ(Boxes().size(), 1u);
            EXPECT_NE(Boxes()[0].text.find("title"), std::string::npos);
        }
    }
}

TEST_F(SetupCommandsTest, ChoosingALineShowsItsRecordWithoutTouchingTheMission) {
    // Host flag 1 enables P1-P6 and 0 disables them; any other value leaves them as they are.
    const struct { std::array<int, 4> flags; bool enabled; } rows[] = {{{1, 0, 1, 0}, true}, {{2, 1, 0, 0}, true},
        {{0, 1, 0, 1}, false}, {{2, 0, 1, 1}, false}, {{1, 1, 1, 1}, true}};
    Entries entries;
    for (const auto& row : rows) {
        const std::string title(1, static_cast<char>('A' + entries.size()));
        entries.emplace_back(title, Record(title, row.flags));
    }
    WriteDataFile(DataFileOf(entries));
    Start();
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        Choose(i);
        EXPECT_EQ(Shown(), Describe(entries[i].second));
        EXPECT_EQ(WindowText(Setups()), entries[i].first);
        for (std::size_t p = kFirstPlayerPlace; p < kShipPlaces.size(); ++p)
            EXPECT_EQ(IsWindowEnabled(m_run->Item(kShipPlaces[p].controlId)) != FALSE, rows[i].enabled) << i;
    }
    EXPECT_EQ(theMissionSettings.m_strShips[1] + theMissionSettings.m_strSetup, std::string("Kestrel") + kAppliedTitle);
    EXPECT_EQ(theMissionSettings.GetTeamSettings() * 100 + theMissionSettings.GetPlayerShipSettings(), 208);
    EXPECT_TRUE(Boxes().empty());
}

// Delete is written at once, so it lasts however the program is left.
TEST_F(SetupCommandsTest, DeleteBlanksTheSetupAndWritesItAtOnce) {
    const Entries before{{"Alpha", Record("Alpha", {1, 1, 1, 1})}, {"Gamma", Record("Gamma", {0, 0, 1, 0})}};
    const Entries after{{"Alpha", CSkirmakerData()}, before[1]};
    for (const int command : {IDCANCEL, IDOK}) {
        WriteDataFile(DataFileOf(before));
        Start();
        // A typed title that is not stored changes nothing but the form, though Gamma's line is chosen.
        Choose(1);
        SetWindowTextA(Setups(), "Gam");
        m_run->Click(IDC_DELETE);
        ExpectClearedForm();
        EXPECT_EQ(DataFile(), DataFileOf(before));
        Choose(0);
        m_run->Click(IDC_DELETE);
        ExpectClearedForm();
        EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));  // until the next start
        EXPECT_EQ(DataFile(), DataFileOf(after));
        End(command);
        // The teardown frees the records the list lines pointed at.
        EXPECT_EQ(m_run->dlg->m_mapSetups.GetCount() + m_run->dlg->m_mapCatalogue.size(), 0u);
        Start();
        EXPECT_EQ(Lines(), (std::vector<std::string>{"", "Gamma"}));
        Choose(0);
        EXPECT_EQ(Shown(), Describe(CSetupForm()));
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SetupCommandsTest, AFailedWriteIsReportedAndALaterSaveOrCloseSucceeds) {
    const Entries before{{"Alpha", Record("Alpha")}};
    WriteDataFile(DataFileOf(before));
    // Another program reads the file and lets nobody write it meanwhile.
    HANDLE holder = CreateFileA(m_game.dataFile.string().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Start();
    const Entries after{before[0], {"Beta", Save(Record("form", {1, 0, 1, 0}), "Beta")}};
    ExpectOneBox(MB_ICONERROR, "code ");
    EXPECT_EQ(WindowText(m_run->Item(IDC_SHIP1)), "form A1") << "the form stays for another try";
    m_run->Click(IDC_CLOSE_BUTTON);
    EXPECT_FALSE(m_run->ui->Finished());
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(DataFile(), DataFileOf(before));

    CloseHandle(holder);
    m_run->Click(IDC_SAVE);
    EXPECT_EQ(DataFile(), DataFileOf(after));
    ExpectClearedForm();
    End(IDOK);
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_game.work), fs::directory_iterator()), 1);  // no temporary file left
}

// A file holding setups that were not loaded (damaged, or with records beyond
// the ones it lists) is reported once and kept beside the first file written.
TEST_F(SetupCommandsTest, AFileWithSetupsNotLoadedIsReportedOnceAndKeptBesideTheNewOne) {
    const Entries alpha{{"Alpha", Record("Alpha")}};
    std::string damaged = DataFileOf({alpha[0], {"Beta", Record("Beta")}});
    std::string beyond = damaged;
    damaged.resize(damaged.size() - 5);  // ends inside Beta's record
    beyond[0] = 1;                       // lists Alpha alone
    for (const auto& [bytes, words] : {std::pair{damaged, "damaged"}, std::pair{beyond, "1 more setups"}}) {
        SCOPED_TRACE(words);
        fs::remove(m_game.work / "SkirmakerData.dat.bad");
        WriteDataFile(bytes);
        Start();
        ExpectOneBox(MB_ICONWARNING, words);
        EXPECT_EQ(Lines(), std::vector<std::string>{"Alpha"});
        const Entries after{alpha[0], {"Gamma", Save(Record("form"), "Gamma")}};
        EXPECT_EQ(ReadFileBytes(m_game.work / "SkirmakerData.dat.bad"), bytes);
        EXPECT_EQ(DataFile(), DataFileOf(after));
        End(IDOK);
        EXPECT_FALSE(fs::exists(m_game.work / "SkirmakerData.dat.bad2"));  // kept aside once only
        Start();
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));
    }
}

// Without the game the dialog stops its start-up before reading the data file,
// so neither Save nor Close may write it; setups made meanwhile are not lost unseen.
TEST_F(SetupCommandsTest, ARunThatNeverReadTheDataFileLeavesItAloneAndSaysSo) {
    const std::string before = DataFileOf({{"Alpha", Record("Alpha")}});
    WriteDataFile(before);
    GameSandbox::RemoveGame();
    Start();
    ASSERT_EQ(Boxes().size(), 2u);  // no game, and "No" to choosing its folder
    ClearBoxes();
    Save(Record("form"), "Beta");
    ExpectOneBox(MB_ICONWARNING, "not saved");
    EXPECT_EQ(WindowText(m_run->Item(IDC_SHIP1)), "form A1") << "the form stays";
    End(IDOK);
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(DataFile(), before);
}

}  // namespace
