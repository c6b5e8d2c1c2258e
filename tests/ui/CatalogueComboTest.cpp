// The ship catalogue combo driven through real key messages: its list after
// start-up, completion of typed text, and the statics of a chosen entry.
#include "DialogHarness.h"

#include "resource.h"
#include "catalogue/ShipCatalogue.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>

#include <string>

using namespace skmtest;

namespace {

// What the three statics show for the catalogue row of `subName`, as "race | class | sub name".
std::string StaticsOf(const std::string& subName) {
    for (const ShipCatalogueRow& row : g_shipCatalogue)
        if (subName == row.subName) return std::string(row.race) + " | " + row.shipClass + " | " + row.subName;
    return "no row " + subName;
}

class CatalogueComboTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_boxes.Boxes().empty());
        // Sent, so the dialog's own thread moves the focus into the combo.
        SendMessageA(m_run.hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Combo()), TRUE);
        m_run.ui->Flush();
    }

    HWND Item(int id) const { return m_run.Item(id); }
    HWND Combo() const { return Item(IDC_CATALOGUE); }
    HWND Edit() const { return FindWindowExA(Combo(), nullptr, "Edit", nullptr); }
    std::string Line(int index) const { return m_run.dlg->m_comboCatalogue.GetLBText(index); }

    void Press(WORD vk) {
        PostKey(Edit(), vk);
        m_run.ui->Flush();
    }
    // Types `keys` into the combo: '\b' is Backspace, '\x7f' Delete and '<' the left arrow.
    void Keys(const std::string& keys) {
        for (char key : keys) {
            const WORD vk = key == '\b' ? VK_BACK : key == '\x7f' ? VK_DELETE : key == '<' ? VK_LEFT : 0;
            if (vk)
                Press(vk);
            else
                TypeText(*m_run.ui, Edit(), std::string(1, key));
        }
    }
    // The edit text with the highlighted part in brackets: "Kes[trel]"; a bare caret reads "Ke[]".
    std::string Shown() const {
        DWORD start = 0, end = 0;
        SendMessageA(Combo(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const std::string text = WindowText(Edit());
        if (start > end || end > text.size()) return text + " (bad selection)";
        return text.substr(0, start) + "[" + text.substr(start, end - start) + "]" + text.substr(end);
    }
    std::string Statics() const {
        return WindowText(Item(IDC_RACE)) + " | " + WindowText(Item(IDC_CLASS)) + " | " + WindowText(Item(IDC_SUBNAME));
    }

    GameSandbox m_game;
    MessageBoxRecorder m_boxes;
    SetupDialogRun m_run;
};

TEST_F(CatalogueComboTest, StartUpListsEveryEntryOnceSortedAndChoosesNone) {
    const CComboBox& combo = m_run.dlg->m_comboCatalogue;
    ASSERT_EQ(combo.GetCount(), static_cast<int>(kShipCatalogueSize));
    for (int i = 0; i < combo.GetCount(); ++i) {
        const std::string text = Line(i);
        EXPECT_TRUE(i == 0 || lstrcmpiA(Line(i - 1).c_str(), text.c_str()) < 0) << text << " out of order";
        // The item carries the very entry the map owns, filled from its row.
        const auto* entry = static_cast<const CShipEntry*>(combo.GetItemDataPtr(i));
        const auto owned = m_run.dlg->m_mapCatalogue.find(text);
        ASSERT_TRUE(entry && owned != m_run.dlg->m_mapCatalogue.end()) << text;
        EXPECT_EQ(entry, owned->second.get()) << text;
        EXPECT_EQ(entry->m_strName, text);
        EXPECT_EQ(entry->m_strRace + " | " + entry->m_strClass + " | " + entry->m_strSubName, StaticsOf(text));
    }
    EXPECT_EQ(Shown(), "[]");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(Statics(), " |  | ");
}

// Each typed key completes to the first item beginning with the text, ignoring
// case; Backspace and Delete remove the proposal and do not complete again.
struct CompletionCase {
    const char* keys;
    const char* shown;
};
class CompletionTest : public CatalogueComboTest, public ::testing::WithParamInterface<CompletionCase> {};

TEST_P(CompletionTest, TypedKeysCompleteTheText) {
    Keys(GetParam().keys);
    EXPECT_EQ(Shown(), GetParam().shown) << "after " << GetParam().keys;
    EXPECT_EQ(Statics(), " |  | ");
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CompletionTest,
    ::testing::Values(CompletionCase{"Kes", "Kes[trel]"},
                      // A whole name that begins a longer one: the shorter is found, nothing left to highlight.
                      CompletionCase{"Kestrel", "Kestrel[]"}, CompletionCase{"kes", "Kes[trel]"},
                      // The full stop's character code is that of Delete: only key-downs may count.
                      CompletionCase{"Dr.", "Dr.[ Ames Lab]"}, CompletionCase{"xqr", "xqr[]"},
                      CompletionCase{"Kes\b", "Kes[]"}, CompletionCase{"Kes\b\b", "Ke[]"},
                      CompletionCase{"Kes\b\bs", "Kes[trel]"}, CompletionCase{"Kes\x7f", "Kes[]"},
                      // A caret move switches completion on; the Delete after it off again.
                      CompletionCase{"Kes\x7f<\x7f", "Ke[]"}));

TEST_F(CatalogueComboTest, ArrowKeysShowTheChosenEntryAndCompletionKeepsIt) {
    Press(VK_DOWN);
    EXPECT_EQ(WindowText(Edit()), Line(0));
    EXPECT_EQ(Statics(), StaticsOf(Line(0)));
    Press(VK_DOWN);
    EXPECT_EQ(Statics(), StaticsOf(Line(1)));
    EXPECT_EQ(m_run.dlg->m_strRace + " | " + m_run.dlg->m_strClass + " | " + m_run.dlg->m_strSubName, StaticsOf(Line(1)));
    Press(VK_UP);
    EXPECT_EQ(Statics(), StaticsOf(Line(0)));
    SendMessageA(Combo(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    Keys("Kes");
    ASSERT_EQ(Shown(), "Kes[trel]");
    EXPECT_EQ(Statics(), StaticsOf(Line(0)));
    EXPECT_EQ(m_run.dlg->m_strSubName, Line(0));
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

TEST_F(CatalogueComboTest, ChoosingAnItemPutsBackTheCommentsNoTransferTook) {
    SetWindowTextA(Item(IDC_COMMENTS), "kept");
    // A ship field change takes every control into the members.
    SendMessageA(Item(IDC_SHIP3), EM_SETSEL, 0, -1);
    TypeText(*m_run.ui, Item(IDC_SHIP3), "x");
    ASSERT_EQ(m_run.dlg->m_strComments, "kept");
    SendMessageA(Item(IDC_COMMENTS), EM_SETSEL, 4, 4);
    TypeText(*m_run.ui, Item(IDC_COMMENTS), " later");
    ASSERT_EQ(WindowText(Item(IDC_COMMENTS)), "kept later");
    Press(VK_DOWN);
    EXPECT_EQ(WindowText(Item(IDC_COMMENTS)), "kept");
    EXPECT_EQ(WindowText(Item(IDC_SHIP3)), "x");
    EXPECT_EQ(Statics(), StaticsOf(Line(0)));
}

}  // namespace
