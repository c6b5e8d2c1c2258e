// The ship catalogue combo driven through real key messages: its list after
// start-up, completion of typed text, and the statics of a chosen entry.
#include "DialogHarness.h"

#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "ui/ShipCatalogue.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

using namespace skmtest;

namespace {

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && _strnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The sub names in the order a sorted combo list keeps them.
std::vector<std::string> SortedSubNames() {
    std::vector<std::string> names;
    for (const ShipCatalogueRow& row : g_shipCatalogue) names.emplace_back(row.subName);
    std::sort(names.begin(), names.end(),
              [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    return names;
}

// The first sub name in list order that begins with `prefix`, ignoring case;
// empty when none does.
std::string FirstMatch(const std::string& prefix) {
    for (const std::string& name : SortedSubNames())
        if (StartsWithIgnoringCase(name, prefix)) return name;
    return {};
}

const ShipCatalogueRow& RowOf(const std::string& subName) {
    for (const ShipCatalogueRow& row : g_shipCatalogue)
        if (subName == row.subName) return row;
    ADD_FAILURE() << "no row " << subName;
    return g_shipCatalogue[0];
}

// A sub name of letters and blanks that begins some longer sub name.
std::string PrefixOfALongerName() {
    for (const ShipCatalogueRow& row : g_shipCatalogue) {
        const std::string name = row.subName;
        if (name.size() < 3 || !std::all_of(name.begin(), name.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == ' '; }))
            continue;
        for (const ShipCatalogueRow& other : g_shipCatalogue)
            if (other.subName != name && StartsWithIgnoringCase(other.subName, name)) return name;
    }
    ADD_FAILURE() << "no sub name begins a longer one";
    return {};
}

class CatalogueComboTest : public ::testing::Test {
protected:
    void SetUp() override {
        theMissionSettings = CMissionSettings();
        m_ui = std::make_unique<UiThread>([this] { m_dlg->DoModal(); });
        ASSERT_TRUE(WaitFor([this] { return m_dlg->m_hWnd && IsWindowVisible(m_dlg->m_hWnd); }));
        m_ui->Flush();
        ASSERT_TRUE(m_boxes.Boxes().empty());
        ASSERT_NE(Edit(), nullptr);
        // Sent, so the dialog's own thread moves the focus into the combo.
        SendMessageA(m_dlg->m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Combo()), TRUE);
        m_ui->Flush();
    }

    void TearDown() override {
        if (m_ui && !m_ui->Finished()) {
            PostMessageA(m_dlg->m_hWnd, WM_COMMAND, IDCANCEL, 0);
            EXPECT_TRUE(m_ui->Join());
        }
    }

    HWND Item(int id) const { return GetDlgItem(m_dlg->m_hWnd, id); }
    HWND Combo() const { return Item(IDC_CATALOGUE); }
    HWND Edit() const { return FindWindowExA(Combo(), nullptr, "Edit", nullptr); }

    void Type(const std::string& text) { TypeText(*m_ui, Edit(), text); }
    void Press(WORD vk) {
        PostKey(Edit(), vk);
        m_ui->Flush();
    }

    // The edit text with the highlighted part in brackets: "Kestrel" with
    // "trel" highlighted reads "Kes[trel]", a caret after "Ke" reads "Ke[]".
    std::string Shown() const {
        DWORD start = 0, end = 0;
        SendMessageA(Combo(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const std::string text = WindowText(Edit());
        if (start > end || end > text.size()) return text + " (bad selection)";
        return text.substr(0, start) + "[" + text.substr(start, end - start) + "]" + text.substr(end);
    }
    static std::string Completed(const std::string& name, std::size_t typed) {
        return name.substr(0, typed) + "[" + name.substr(typed) + "]";
    }

    // What the three statics show, as "race | class | sub name".
    std::string Statics() const {
        return WindowText(Item(IDC_RACE)) + " | " + WindowText(Item(IDC_CLASS)) + " | " + WindowText(Item(IDC_SUBNAME));
    }
    static std::string StaticsOf(const std::string& subName) {
        const ShipCatalogueRow& row = RowOf(subName);
        return std::string(row.race) + " | " + row.shipClass + " | " + row.subName;
    }

    GameSandbox m_game;
    MessageBoxRecorder m_boxes;
    std::unique_ptr<CSkirmakerDlg> m_dlg = std::make_unique<CSkirmakerDlg>();
    std::unique_ptr<UiThread> m_ui;
};

TEST_F(CatalogueComboTest, StartUpListsEveryEntryOnceSortedAndChoosesNone) {
    const CComboBox& combo = m_dlg->m_comboCatalogue;
    ASSERT_EQ(combo.GetCount(), static_cast<int>(kShipCatalogueSize));
    EXPECT_EQ(m_dlg->m_mapCatalogue.size(), kShipCatalogueSize);
    std::string previous;
    for (int i = 0; i < combo.GetCount(); ++i) {
        const std::string text = combo.GetLBText(i);
        if (i > 0) {
            EXPECT_LT(lstrcmpiA(previous.c_str(), text.c_str()), 0) << previous << " before " << text;
        }
        const auto* entry = static_cast<const CShipEntry*>(combo.GetItemDataPtr(i));
        ASSERT_NE(entry, nullptr) << text;
        // The item carries the very entry the map owns.
        const auto owned = m_dlg->m_mapCatalogue.find(text);
        ASSERT_NE(owned, m_dlg->m_mapCatalogue.end()) << text;
        EXPECT_EQ(entry, owned->second.get()) << text;
        const ShipCatalogueRow& row = RowOf(text);
        EXPECT_EQ(entry->m_strSubName, text);
        EXPECT_EQ(entry->m_strName, text);
        EXPECT_EQ(entry->m_strRace, row.race);
        EXPECT_EQ(entry->m_strClass, row.shipClass);
        previous = text;
    }
    EXPECT_EQ(WindowText(Edit()), "");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(Statics(), " |  | ");
}

TEST_F(CatalogueComboTest, ArrowKeysShowTheChosenEntry) {
    const std::vector<std::string> names = SortedSubNames();
    Press(VK_DOWN);
    EXPECT_EQ(WindowText(Edit()), names[0]);
    EXPECT_EQ(Statics(), StaticsOf(names[0]));
    Press(VK_DOWN);
    EXPECT_EQ(Statics(), StaticsOf(names[1]));
    EXPECT_EQ(m_dlg->m_strRace, RowOf(names[1]).race);
    EXPECT_EQ(m_dlg->m_strClass, RowOf(names[1]).shipClass);
    EXPECT_EQ(m_dlg->m_strSubName, names[1]);
    Press(VK_UP);
    EXPECT_EQ(Statics(), StaticsOf(names[0]));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(CatalogueComboTest, TheChosenItemsOwnDataIsShown) {
    const std::vector<std::string> names = SortedSubNames();
    CShipEntry* other = m_dlg->m_mapCatalogue.at(names[5]).get();
    m_dlg->m_comboCatalogue.SetItemDataPtr(0, other);
    m_dlg->m_comboCatalogue.SetItemDataPtr(1, nullptr);
    Press(VK_DOWN);
    EXPECT_EQ(Statics(), StaticsOf(names[5]));
    Press(VK_DOWN);  // an item without an entry changes nothing
    EXPECT_EQ(Statics(), StaticsOf(names[5]));
}

TEST_F(CatalogueComboTest, ClickingAnItemOfTheOpenListShowsItsEntry) {
    const std::vector<std::string> names = SortedSubNames();
    SendMessageA(Combo(), CB_SHOWDROPDOWN, TRUE, 0);
    m_ui->Flush();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(Combo(), &info));
    ASSERT_TRUE(IsWindowVisible(info.hwndList));
    RECT item{};
    ASSERT_NE(SendMessageA(info.hwndList, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)), LB_ERR);
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
    PostMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
    m_ui->Flush();
    EXPECT_FALSE(IsWindowVisible(info.hwndList));
    EXPECT_EQ(WindowText(Edit()), names[2]);
    EXPECT_EQ(Statics(), StaticsOf(names[2]));
}

TEST_F(CatalogueComboTest, EachTypedKeyCompletesToTheFirstItemBeginningWithTheText) {
    // Ends with a whole name that begins a longer one: the shorter is found
    // first and nothing is left to highlight.
    const std::string name = PrefixOfALongerName();
    ASSERT_FALSE(name.empty());
    for (std::size_t typed = 1; typed <= name.size(); ++typed) {
        Type(name.substr(typed - 1, 1));
        const std::string match = FirstMatch(name.substr(0, typed));
        EXPECT_EQ(Shown(), Completed(match, typed)) << "after typing " << name.substr(0, typed);
    }
    EXPECT_EQ(Shown(), name + "[]");
}

TEST_F(CatalogueComboTest, LowerCaseTypingShowsTheItemsOwnCase) {
    const std::string name = PrefixOfALongerName();
    const std::string typed = Lower(name.substr(0, 3));
    const std::string match = FirstMatch(typed);
    ASSERT_NE(match.substr(0, 3), typed) << "the item must differ in case";
    Type(typed);
    EXPECT_EQ(Shown(), Completed(match, 3));
}

TEST_F(CatalogueComboTest, AFullStopCompletesLikeAnyOtherKey) {
    // Its character code is that of the Delete key: only key-downs may count.
    std::string typed;
    for (const ShipCatalogueRow& row : g_shipCatalogue) {
        const std::string name = row.subName;
        const std::size_t stop = name.find('.');
        if (stop != std::string::npos && stop + 1 < name.size()) typed = name.substr(0, stop + 1);
    }
    ASSERT_FALSE(typed.empty()) << "no sub name with a full stop inside";
    Type(typed);
    EXPECT_EQ(Shown(), Completed(FirstMatch(typed), typed.size()));
}

TEST_F(CatalogueComboTest, BackspaceRemovesTheProposalWithoutCompletingAgain) {
    const std::string name = PrefixOfALongerName();
    const std::string match = FirstMatch(name.substr(0, 3));
    Type(name.substr(0, 3));
    ASSERT_EQ(Shown(), Completed(match, 3));
    Press(VK_BACK);
    EXPECT_EQ(Shown(), match.substr(0, 3) + "[]");
    EXPECT_EQ(m_dlg->m_comboCatalogue.m_bAutoComplete, FALSE);
    // Without a highlight Backspace removes one character and still proposes nothing.
    Press(VK_BACK);
    EXPECT_EQ(Shown(), match.substr(0, 2) + "[]");
    // The next typed key completes again.
    Type(match.substr(2, 1));
    EXPECT_EQ(Shown(), Completed(match, 3));
}

TEST_F(CatalogueComboTest, DeleteRemovesTheProposalWithoutCompletingAgain) {
    const std::string name = PrefixOfALongerName();
    const std::string match = FirstMatch(name.substr(0, 3));
    Type(name.substr(0, 3));
    ASSERT_EQ(Shown(), Completed(match, 3));
    Press(VK_DELETE);
    EXPECT_EQ(Shown(), match.substr(0, 3) + "[]");
    // A caret move switches completion on; the Delete after it off again.
    Press(VK_LEFT);
    EXPECT_EQ(m_dlg->m_comboCatalogue.m_bAutoComplete, TRUE);
    Press(VK_DELETE);
    EXPECT_EQ(Shown(), match.substr(0, 2) + "[]");
}

TEST_F(CatalogueComboTest, TextThatNoItemBeginsWithStaysAsTyped) {
    std::string typed;
    for (char c = 'a'; c <= 'z' && typed.empty(); ++c)
        if (FirstMatch(std::string(1, c)).empty()) typed = std::string(1, c) + "qr";
    ASSERT_FALSE(typed.empty()) << "every letter begins a sub name";
    Type(typed);
    EXPECT_EQ(Shown(), typed + "[]");
    EXPECT_EQ(Statics(), " |  | ");
}

TEST_F(CatalogueComboTest, CompletionLeavesTheStaticsOfTheChosenEntry) {
    const std::vector<std::string> names = SortedSubNames();
    Press(VK_DOWN);
    ASSERT_EQ(Statics(), StaticsOf(names[0]));
    SendMessageA(Combo(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    const std::string name = PrefixOfALongerName();
    Type(name.substr(0, 2));
    ASSERT_EQ(Shown(), Completed(FirstMatch(name.substr(0, 2)), 2));
    EXPECT_EQ(Statics(), StaticsOf(names[0]));
    EXPECT_EQ(m_dlg->m_strSubName, names[0]);
}

TEST_F(CatalogueComboTest, ChoosingAnItemPutsBackTheCommentsNoTransferTook) {
    SetWindowTextA(Item(IDC_COMMENTS), "kept");
    // A ship field change takes every control into the members.
    SendMessageA(Item(IDC_SHIP3), EM_SETSEL, 0, -1);
    TypeText(*m_ui, Item(IDC_SHIP3), "x");
    ASSERT_EQ(m_dlg->m_strComments, "kept");
    SendMessageA(Item(IDC_COMMENTS), EM_SETSEL, 4, 4);
    TypeText(*m_ui, Item(IDC_COMMENTS), " later");
    ASSERT_EQ(WindowText(Item(IDC_COMMENTS)), "kept later");
    Press(VK_DOWN);
    EXPECT_EQ(WindowText(Item(IDC_COMMENTS)), "kept");
    EXPECT_EQ(WindowText(Item(IDC_SHIP3)), "x");
    EXPECT_EQ(Statics(), StaticsOf(SortedSubNames()[0]));
}

}  // namespace
