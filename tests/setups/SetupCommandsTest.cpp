// The saved-setups commands of the setup dialog, driven through real messages:
// the setup list, Save, Delete, Close, the teardown, and the data file they write.
#include "DialogHarness.h"

#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "setups/SetupDataFile.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using namespace skmtest;

namespace {

constexpr int kPlayerShipEdits[] = {IDC_SHIP9, IDC_SHIP10, IDC_SHIP11, IDC_SHIP12, IDC_SHIP13, IDC_SHIP14};
constexpr int kModeBoxes[] = {IDC_HOST_SELECT_SHIPS, IDC_PLAYER_SELECT_SHIPS, IDC_PLAYER_VS_AI,
                              IDC_PLAYER_VS_PLAYER};
const char kAppliedTitle[] = "Applied Title";
const std::string kMissionIni = std::string("[Mul_Skirmaker]\r\nsetup=") + kAppliedTitle +
                                "\r\nship1=Kestrel\r\nship9=Dart\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n";

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

std::string Counted(const std::string& text) { return Bytes({static_cast<int>(text.size())}) + text; }

// The record's field of ship N (index 0 unused).
constexpr std::string CSkirmakerData::*kRecordShips[CSkirmakerDlg::kShipCount + 1] = {
    nullptr,
    &CSkirmakerData::m_strShip1,  &CSkirmakerData::m_strShip2,  &CSkirmakerData::m_strShip3,
    &CSkirmakerData::m_strShip4,  &CSkirmakerData::m_strShip5,  &CSkirmakerData::m_strShip6,
    &CSkirmakerData::m_strShip7,  &CSkirmakerData::m_strShip8,  &CSkirmakerData::m_strShip9,
    &CSkirmakerData::m_strShip10, &CSkirmakerData::m_strShip11, &CSkirmakerData::m_strShip12,
    &CSkirmakerData::m_strShip13, &CSkirmakerData::m_strShip14};

// A record whose texts derive from `title`, each ship place its own, with the
// given flags (host, player select, vs AI, vs player).
CSkirmakerData Record(const std::string& title, std::initializer_list<int> flags = {0, 0, 0, 0}) {
    CSkirmakerData record;
    record.m_strTitle = title;
    record.m_strSetupTitle = "Shown " + title;
    for (int n = 1; n <= CSkirmakerDlg::kShipCount; ++n) record.*kRecordShips[n] = title + " ship" + std::to_string(n);
    const int* flag = flags.begin();
    record.m_bHostSelectShips = flag[0];
    record.m_bPlayerSelectShips = flag[1];
    record.m_bPlayerVsAI = flag[2];
    record.m_bPlayerVsPlayer = flag[3];
    record.m_strComments = "about " + title + "\r\nsecond line";
    return record;
}

// The data file of a store of these entries; a null record stands for a key
// without one.
std::string DataFileOf(const std::vector<std::pair<std::string, const CSkirmakerData*>>& entries) {
    CSetupStore store;
    for (const auto& [key, record] : entries)
        store.Store(key, record ? std::make_unique<CSkirmakerData>(*record) : nullptr);
    return CSetupDataFile::Encode(store);
}

// The data file of a store holding `records`, each under its own title.
std::string DataFileOf(std::initializer_list<CSkirmakerData> records) {
    std::vector<std::pair<std::string, const CSkirmakerData*>> entries;
    for (const CSkirmakerData& record : records) entries.emplace_back(record.m_strTitle, &record);
    return DataFileOf(entries);
}

// The file names in `folder`.
std::vector<std::string> FolderContent(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

struct MissionSnapshot {
    std::string setup;
    std::array<std::string, CMissionSettings::kShipCount + 1> ships;
    int team, playerShips;
    bool operator==(const MissionSnapshot&) const = default;
};

MissionSnapshot Snapshot() {
    return {theMissionSettings.m_strSetup, theMissionSettings.m_strShips, theMissionSettings.GetTeamSettings(),
            theMissionSettings.GetPlayerShipSettings()};
}

class SetupCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { m_game.WriteScriptsIni(kMissionIni); }

    void TearDown() override {
        if (m_ui && !m_ui->Finished()) {
            PostMessageA(m_dlg->m_hWnd, WM_COMMAND, IDCANCEL, 0);
            m_ui->Join();
        }
    }

    // Starts the program's dialog afresh in the same game and working folder.
    void Start() {
        ASSERT_TRUE(!m_ui || m_ui->Join());
        m_ui.reset();
        theMissionSettings = CMissionSettings();
        m_dlg = std::make_unique<CSkirmakerDlg>();
        m_ui = std::make_unique<UiThread>([this] { m_result = m_dlg->DoModal(); });
        ASSERT_TRUE(WaitFor([this] { return m_dlg->m_hWnd && IsWindowVisible(m_dlg->m_hWnd); }));
        m_ui->Flush();
    }

    HWND Item(int id) const { return GetDlgItem(m_dlg->m_hWnd, id); }
    HWND Setups() const { return Item(IDC_SETUPS); }
    HWND SetupsEdit() const { return FindWindowExA(Setups(), nullptr, "Edit", nullptr); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        m_ui->Flush();
    }
    void SetText(int id, const std::string& text) { SetWindowTextA(Item(id), text.c_str()); }
    // Types a title into the setup list's edit field as the user would.
    void TypeTitle(const std::string& title) {
        SendMessageA(SetupsEdit(), EM_SETSEL, 0, -1);
        PostKey(SetupsEdit(), VK_DELETE);
        TypeText(*m_ui, SetupsEdit(), title);
    }
    int Selection() const { return static_cast<int>(SendMessageA(Setups(), CB_GETCURSEL, 0, 0)); }
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        const int count = static_cast<int>(SendMessageA(Setups(), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::string text(static_cast<std::size_t>(SendMessageA(Setups(), CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
            text.resize(static_cast<std::size_t>(
                SendMessageA(Setups(), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
            lines.push_back(text);
        }
        return lines;
    }
    const void* LineRecord(int index) const {
        return reinterpret_cast<const void*>(SendMessageA(Setups(), CB_GETITEMDATA, index, 0));
    }
    // Chooses a line the way the list reports a choice.
    void Choose(int index) {
        SendMessageA(Setups(), CB_SETCURSEL, index, 0);
        SendMessageA(m_dlg->m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_SETUPS, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Setups()));
        m_ui->Flush();
    }
    bool PlayerShipsEnabled(bool enabled) const {
        for (int id : kPlayerShipEdits)
            if ((IsWindowEnabled(Item(id)) != FALSE) != enabled) return false;
        return true;
    }
    HWND Focus() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(m_dlg->m_hWnd, nullptr), &info);
        return info.hwndFocus;
    }
    void ExpectFormShows(const CSkirmakerData& record) const {
        EXPECT_EQ(WindowText(Item(IDC_SETUP_TITLE)), record.m_strSetupTitle);
        for (int n = 1; n <= CSkirmakerDlg::kShipCount; ++n)
            EXPECT_EQ(WindowText(Item(CSkirmakerDlg::kShipEditIds[n])), record.*kRecordShips[n]) << "ship " << n;
        const int flags[] = {record.m_bHostSelectShips, record.m_bPlayerSelectShips, record.m_bPlayerVsAI,
                             record.m_bPlayerVsPlayer};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Checked(kModeBoxes[i]), flags[i] != 0) << "box " << kModeBoxes[i];
        EXPECT_EQ(WindowText(Item(IDC_COMMENTS)), record.m_strComments);
    }
    // After Save and Delete: an empty form under the applied title, no line
    // chosen and the keyboard in the setup list.
    void ExpectClearedForm() const {
        CSkirmakerData empty;
        empty.m_strSetupTitle = kAppliedTitle;
        ExpectFormShows(empty);
        EXPECT_EQ(WindowText(Setups()), "");
        EXPECT_EQ(Selection(), CB_ERR);
        EXPECT_EQ(Focus(), SetupsEdit());
    }
    void ExpectStored(const std::string& key, const CSkirmakerData& record) const {
        const CSkirmakerData* stored = m_dlg->m_mapSetups.Find(key);
        ASSERT_NE(stored, nullptr) << key;
        EXPECT_EQ(*stored, record) << key;
    }
    // "Close": the dialog ends with the data file written.
    void CloseButton() {
        SendMessageA(Item(IDC_CLOSE_BUTTON), BM_CLICK, 0, 0);
        ASSERT_TRUE(m_ui->Join());
        EXPECT_EQ(m_result, IDOK);
    }
    void Escape() {
        PostKey(Item(IDC_SHIP1), VK_ESCAPE);
        ASSERT_TRUE(m_ui->Join());
        EXPECT_EQ(m_result, IDCANCEL);
    }
    // Fills the form as the user would before Save.
    void FillForm(const CSkirmakerData& record) {
        for (int n = 1; n <= CSkirmakerDlg::kShipCount; ++n)
            SetText(CSkirmakerDlg::kShipEditIds[n], record.*kRecordShips[n]);
        const int flags[] = {record.m_bHostSelectShips, record.m_bPlayerSelectShips, record.m_bPlayerVsAI,
                             record.m_bPlayerVsPlayer};
        for (int i = 0; i < 4; ++i)
            SendMessageA(Item(kModeBoxes[i]), BM_SETCHECK, flags[i] ? BST_CHECKED : BST_UNCHECKED, 0);
        SetText(IDC_COMMENTS, record.m_strComments);
        m_ui->Flush();
    }
    // The record Save makes from FillForm(record) under `title`.
    static CSkirmakerData Saved(CSkirmakerData record, const std::string& title) {
        record.m_strTitle = record.m_strSetupTitle = title;
        return record;
    }
    std::string DataFile() const { return ReadFileBytes(m_game.DataFile()); }
    void WriteDataFile(const std::string& bytes) const { WriteFileBytes(m_game.DataFile(), bytes); }

    GameSandbox m_game;
    MessageBoxRecorder m_boxes;
    std::unique_ptr<CSkirmakerDlg> m_dlg;
    std::unique_ptr<UiThread> m_ui;
    INT_PTR m_result = 0;
};

TEST_F(SetupCommandsTest, CloseWithoutADataFileWritesTheEmptyStoreAndFreesEverything) {
    Start();
    EXPECT_TRUE(Lines().empty());
    EXPECT_FALSE(m_dlg->m_mapCatalogue.empty());
    CloseButton();
    EXPECT_EQ(DataFile(), Bytes({0x00, 0x00}));
    EXPECT_EQ(m_game.ReadScriptsIni(), kMissionIni);
    EXPECT_TRUE(m_boxes.Boxes().empty());
    EXPECT_EQ(m_dlg->m_mapSetups.GetCount(), 0u);
    EXPECT_TRUE(m_dlg->m_mapCatalogue.empty());
    EXPECT_EQ(FolderContent(m_game.DataFile().substr(0, m_game.DataFile().rfind('\\'))),
              std::vector<std::string>{"SkirmakerData.dat"});
}

TEST_F(SetupCommandsTest, SaveUnderANewTitleWritesOneRecordAndClearsTheForm) {
    Start();
    CSkirmakerData form;
    form.m_strShip1 = "Kestrel";
    form.m_strShip9 = "Dart";
    form.m_bHostSelectShips = 1;
    form.m_bPlayerVsAI = 1;
    form.m_strComments = "two\r\nlines";
    FillForm(form);
    TypeTitle("Wolf Pack");
    Click(IDC_SAVE);

    const std::string title = Counted("Wolf Pack");
    EXPECT_EQ(DataFile(), Bytes({0x01, 0x00}) + title + Bytes({0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00}) +
                              "CSkirmakerData" + title + Counted("Kestrel") + std::string(7, '\0') +
                              Counted("Dart") + std::string(5, '\0') + title + Bytes({1, 0, 0, 0}) +
                              Bytes({0, 0, 0, 0}) + Bytes({1, 0, 0, 0}) + Bytes({0, 0, 0, 0}) +
                              Counted("two\r\nlines"));
    EXPECT_EQ(Lines(), std::vector<std::string>{"Wolf Pack"});
    EXPECT_EQ(LineRecord(0), m_dlg->m_mapSetups.Find("Wolf Pack"));
    ExpectClearedForm();
    EXPECT_EQ(m_game.ReadScriptsIni(), kMissionIni);
    EXPECT_TRUE(m_boxes.Boxes().empty());
    Escape();
}

// Save with a title that is new, stored already, stored in another letter
// case, or empty.
struct SaveCase {
    const char* title;
    std::vector<std::string> lines;
};

class SaveTitleTest : public SetupCommandsTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveTitleTest, SaveStoresTheFormUnderTheTypedTitle) {
    const SaveCase& test = GetParam();
    const CSkirmakerData alpha = Record("Alpha", {1, 0, 1, 0});
    const CSkirmakerData gamma = Record("Gamma", {0, 1, 0, 1});
    // Bytes after the last entry are ignored on reading and gone after the write.
    WriteDataFile(DataFileOf({alpha, gamma}) + "trailing");
    Start();
    ASSERT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));

    const CSkirmakerData form = Record("form", {0, 1, 1, 0});
    FillForm(form);
    TypeTitle(test.title);
    ASSERT_EQ(WindowText(Setups()), test.title);
    Click(IDC_SAVE);

    // The list sorts without regard to letter case, so lines that differ only
    // in case may come in either order.
    std::vector<std::string> lines = Lines();
    EXPECT_EQ(lines.size(), test.lines.size());
    for (const std::string& line : test.lines) EXPECT_EQ(std::count(lines.begin(), lines.end(), line), 1) << line;
    CSetupStore expected;
    expected.Store("Alpha", std::make_unique<CSkirmakerData>(alpha));
    expected.Store("Gamma", std::make_unique<CSkirmakerData>(gamma));
    if (*test.title) expected.Store(test.title, std::make_unique<CSkirmakerData>(Saved(form, test.title)));
    EXPECT_TRUE(m_dlg->m_mapSetups == expected);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i)
        EXPECT_EQ(LineRecord(i), m_dlg->m_mapSetups.Find(lines[i])) << lines[i];
    EXPECT_EQ(DataFile(), CSetupDataFile::Encode(expected));
    ExpectClearedForm();
    EXPECT_TRUE(m_boxes.Boxes().empty());
    Escape();
}

INSTANTIATE_TEST_SUITE_P(
    Titles, SaveTitleTest,
    ::testing::Values(SaveCase{"Beta", {"Alpha", "Beta", "Gamma"}}, SaveCase{"Alpha", {"Alpha", "Gamma"}},
                      SaveCase{"alpha", {"alpha", "Alpha", "Gamma"}}, SaveCase{"", {"Alpha", "Gamma"}},
                      SaveCase{" Alpha", {" Alpha", "Alpha", "Gamma"}}));

TEST_F(SetupCommandsTest, ChoosingALineShowsItsRecordWithoutTouchingTheMission) {
    // Every combination of the four flags, both boxes of a pair included; then
    // a host flag that is neither 0 nor 1 after an enabling and after a
    // disabling one.
    std::vector<CSkirmakerData> records;
    for (int bits = 0; bits < 16; ++bits)
        records.push_back(Record("Mode " + std::string(1, static_cast<char>('A' + bits)),
                                 {bits & 1, (bits >> 1) & 1, (bits >> 2) & 1, (bits >> 3) & 1}));
    ASSERT_EQ(records.back().m_bHostSelectShips, 1);
    records.push_back(Record("Mode X", {2, 0, 0, 0}));
    records.push_back(Record("Mode Y", {0, 0, 0, 0}));
    records.push_back(Record("Mode Z", {2, 0, 0, 0}));
    std::vector<std::pair<std::string, const CSkirmakerData*>> entries;
    for (const CSkirmakerData& record : records) entries.emplace_back(record.m_strTitle, &record);
    WriteDataFile(DataFileOf(entries));
    Start();
    const MissionSnapshot mission = Snapshot();
    ASSERT_EQ(Lines().size(), records.size());

    for (int i = 0; i < static_cast<int>(records.size()); ++i) {
        SCOPED_TRACE(records[i].m_strTitle);
        const bool enabledBefore = IsWindowEnabled(Item(IDC_SHIP9)) != FALSE;
        Choose(i);
        EXPECT_EQ(WindowText(Setups()), records[i].m_strTitle);
        ExpectFormShows(records[i]);
        const int host = records[i].m_bHostSelectShips;
        EXPECT_TRUE(PlayerShipsEnabled(host == 1 || (host != 0 && enabledBefore)));
        EXPECT_TRUE(Snapshot() == mission);
    }
    EXPECT_EQ(m_game.ReadScriptsIni(), kMissionIni);
    EXPECT_TRUE(m_boxes.Boxes().empty());
    Escape();
}

TEST_F(SetupCommandsTest, ArrowKeysInTheListChooseTheNextLine) {
    const CSkirmakerData alpha = Record("Alpha", {1, 0, 1, 0});
    const CSkirmakerData beta = Record("Beta", {0, 1, 0, 1});
    WriteDataFile(DataFileOf({alpha, beta}));
    Start();
    SetFocus(SetupsEdit());
    for (const CSkirmakerData* record : {&alpha, &beta}) {
        PostKey(SetupsEdit(), VK_DOWN);
        m_ui->Flush();
        EXPECT_EQ(WindowText(Setups()), record->m_strTitle);
        ExpectFormShows(*record);
        EXPECT_TRUE(PlayerShipsEnabled(record->m_bHostSelectShips == 1));
    }
    Escape();
}

TEST_F(SetupCommandsTest, ALineWithoutARecordIsNotListed) {
    const CSkirmakerData alpha = Record("Alpha");
    WriteDataFile(DataFileOf({{"Alpha", &alpha}, {"Empty", nullptr}}));
    Start();
    EXPECT_EQ(Lines(), std::vector<std::string>{"Alpha"});
    // Saving under such a key leaves it without a record.
    FillForm(Record("form"));
    TypeTitle("Empty");
    Click(IDC_SAVE);
    EXPECT_EQ(Lines(), std::vector<std::string>{"Alpha"});
    EXPECT_EQ(DataFile(), DataFileOf({{"Alpha", &alpha}, {"Empty", nullptr}}));
    Escape();
}

// Delete, then Close or Esc, then a new start of the program.
class DeleteTest : public SetupCommandsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DeleteTest, DeleteBlanksTheSetupUntilTheNextWrite) {
    const bool close = GetParam();
    const CSkirmakerData alpha = Record("Alpha", {1, 1, 1, 1});
    const CSkirmakerData beta = Record("Beta", {0, 0, 1, 0});
    const std::string before = DataFileOf({alpha, beta});
    WriteDataFile(before);
    Start();
    Choose(0);
    Click(IDC_DELETE);

    ExpectClearedForm();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Beta"}));
    ExpectStored("Alpha", CSkirmakerData{});
    ExpectStored("Beta", beta);
    EXPECT_EQ(DataFile(), before);
    // The blanked line shows an empty form.
    Choose(0);
    ExpectFormShows(CSkirmakerData{});
    if (close)
        CloseButton();
    else
        Escape();
    const CSkirmakerData blank;
    EXPECT_EQ(DataFile(), close ? DataFileOf({{"Alpha", &blank}, {"Beta", &beta}}) : before);

    Start();
    EXPECT_EQ(Lines(), (close ? std::vector<std::string>{"", "Beta"} : std::vector<std::string>{"Alpha", "Beta"}));
    Choose(0);
    ExpectFormShows(close ? blank : alpha);
    EXPECT_TRUE(m_boxes.Boxes().empty());
    Escape();
}

INSTANTIATE_TEST_SUITE_P(CloseOrEsc, DeleteTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Close" : "Esc"; });

TEST_F(SetupCommandsTest, DeleteOfATitleThatIsNotStoredOnlyClearsTheForm) {
    const CSkirmakerData alpha = Record("Alpha");
    const CSkirmakerData gamma = Record("Gamma");
    const std::string before = DataFileOf({alpha, gamma});
    WriteDataFile(before);
    Start();
    // Typing while the list is open selects the first line the text begins.
    SendMessageA(Setups(), CB_SHOWDROPDOWN, TRUE, 0);
    TypeTitle("Gam");
    ASSERT_EQ(Selection(), 1);
    SendMessageA(Setups(), CB_SHOWDROPDOWN, FALSE, 0);
    SetWindowTextA(Setups(), "Gam");
    ASSERT_EQ(Selection(), 1);
    FillForm(Record("form"));
    Click(IDC_DELETE);

    ExpectClearedForm();
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));
    EXPECT_EQ(LineRecord(1), m_dlg->m_mapSetups.Find("Gamma"));
    EXPECT_EQ(m_dlg->m_mapSetups.GetCount(), 2u);
    ExpectStored("Alpha", alpha);
    ExpectStored("Gamma", gamma);
    CloseButton();
    EXPECT_EQ(DataFile(), before);
}

TEST_F(SetupCommandsTest, AFailedWriteIsReportedAndALaterSaveOrCloseSucceeds) {
    const CSkirmakerData alpha = Record("Alpha");
    const std::string before = DataFileOf({alpha});
    WriteDataFile(before);
    // Another program reads the file and lets nobody write it meanwhile.
    HANDLE holder = CreateFileA(m_game.DataFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Start();
    ASSERT_EQ(Lines(), std::vector<std::string>{"Alpha"});

    const CSkirmakerData form = Record("form", {1, 0, 1, 0});
    FillForm(form);
    TypeTitle("Beta");
    Click(IDC_SAVE);
    auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("\"SkirmakerData.dat\""), std::string::npos) << boxes[0].text;
    EXPECT_NE(boxes[0].text.find("code 5"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].caption, AfxGetAppTitle());
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(boxes[0].owner, m_dlg->m_hWnd);
    EXPECT_EQ(DataFile(), before);
    ExpectStored("Beta", Saved(form, "Beta"));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Beta"}));
    // The form stays for another try.
    EXPECT_EQ(WindowText(Item(IDC_SHIP1)), form.m_strShip1);

    SendMessageA(Item(IDC_CLOSE_BUTTON), BM_CLICK, 0, 0);
    m_ui->Flush();
    EXPECT_FALSE(m_ui->Finished());
    EXPECT_EQ(m_boxes.Boxes().size(), 2u);
    EXPECT_EQ(DataFile(), before);

    CloseHandle(holder);
    Click(IDC_SAVE);
    EXPECT_EQ(m_boxes.Boxes().size(), 2u);
    const CSkirmakerData beta = Saved(form, "Beta");
    EXPECT_EQ(DataFile(), DataFileOf({alpha, beta}));
    ExpectClearedForm();
    CloseButton();
    EXPECT_EQ(DataFile(), DataFileOf({alpha, beta}));
    EXPECT_EQ(m_boxes.Boxes().size(), 2u);
    // Nothing is left of the temporary files.
    EXPECT_EQ(FolderContent(m_game.DataFile().substr(0, m_game.DataFile().rfind('\\'))),
              std::vector<std::string>{"SkirmakerData.dat"});
}

TEST_F(SetupCommandsTest, AReadOnlyDataFileIsStillRead) {
    const CSkirmakerData alpha = Record("Alpha", {0, 1, 0, 1});
    WriteDataFile(DataFileOf({alpha}));
    SetFileAttributesA(m_game.DataFile().c_str(), FILE_ATTRIBUTE_READONLY);
    Start();
    EXPECT_EQ(Lines(), std::vector<std::string>{"Alpha"});
    Choose(0);
    ExpectFormShows(alpha);
    EXPECT_TRUE(m_boxes.Boxes().empty());
    Escape();
    SetFileAttributesA(m_game.DataFile().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SetupCommandsTest, AMalformedFileIsReportedOnceAndKeptBesideTheNewOne) {
    const CSkirmakerData alpha = Record("Alpha");
    const CSkirmakerData beta = Record("Beta");
    std::string damaged = DataFileOf({alpha, beta});
    damaged.resize(damaged.size() - 5);  // ends inside Beta's record
    WriteDataFile(damaged);
    Start();
    auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("\"SkirmakerData.dat\""), std::string::npos) << boxes[0].text;
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(Lines(), std::vector<std::string>{"Alpha"});
    Choose(0);
    ExpectFormShows(alpha);

    const CSkirmakerData form = Record("form");
    FillForm(form);
    TypeTitle("Gamma");
    Click(IDC_SAVE);
    const std::string bad = m_game.DataFile() + ".bad";
    EXPECT_EQ(ReadFileBytes(bad), damaged);
    const CSkirmakerData gamma = Saved(form, "Gamma");
    EXPECT_EQ(DataFile(), DataFileOf({alpha, gamma}));
    CloseButton();
    // Kept aside once only: the second write replaces the sound file.
    EXPECT_EQ(ReadFileBytes(bad), damaged);
    EXPECT_FALSE(FileExists(bad + "2"));
    EXPECT_EQ(m_boxes.Boxes().size(), 1u);

    Start();
    EXPECT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"Alpha", "Gamma"}));
    Escape();
}

// Without the game the dialog stops its start-up before reading the data file,
// so neither Save nor Close may write it.
class NotLoadedTest : public SetupCommandsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(NotLoadedTest, ARunThatNeverReadTheDataFileLeavesItAlone) {
    const bool present = GetParam();
    const CSkirmakerData alpha = Record("Alpha");
    const std::string before = DataFileOf({alpha});
    if (present) WriteDataFile(before);
    SetInstallPath(nullptr, false);
    Start();
    ASSERT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_TRUE(Lines().empty());
    FillForm(Record("form"));
    TypeTitle("Beta");
    Click(IDC_SAVE);
    CloseButton();
    EXPECT_EQ(FileExists(m_game.DataFile()), present);
    if (present) {
        EXPECT_EQ(DataFile(), before);
    }
    EXPECT_EQ(m_boxes.Boxes().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(DataFile, NotLoadedTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Present" : "Absent"; });

}  // namespace
