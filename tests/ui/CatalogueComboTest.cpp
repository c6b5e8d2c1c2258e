// The ship catalogue combo driven through real key messages: completion of
// typed text, and the statics of a chosen entry.
#include "DialogHarness.h"

#include "catalogue/ShipCatalogue.h"

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
        // Sent, so the dialog's own thread moves the focus into the combo.
        SendMessageA(m_run.hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Combo()), TRUE);
        m_run.ui->Flush();
    }

    HWND Combo() const { return m_run.Item(IDC_CATALOGUE); }
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
        return WindowText(m_run.Item(IDC_RACE)) + " | " + WindowText(m_run.Item(IDC_CLASS)) + " | " +
               WindowText(m_run.Item(IDC_SUBNAME));
    }

    GameSandbox m_game;
    SetupDialogRun m_run;
};

// Each typed key completes to the first item beginning with the text, ignoring
// case; Backspace and Delete remove the proposal and do not complete again.
TEST_F(CatalogueComboTest, TypedKeysCompleteTheText) {
    const std::pair<const char*, const char*> cases[] = {
        {"Kes", "Kes[trel]"}, {"kes", "Kes[trel]"}, {"xqr", "xqr[]"},
        // A whole name that begins a longer one: the shorter is found, nothing left to highlight.
        {"Kestrel", "Kestrel[]"},
        // The full stop's character code is that of Delete: only key-downs may count.
        {"Dr.", "Dr.[ Ames Lab]"},
        {"Kes\b", "Kes[]"}, {"Kes\b\b", "Ke[]"}, {"Kes\b\bs", "Kes[trel]"}, {"Kes\x7f", "Kes[]"},
        // A caret move switches completion on; the Delete after it off again.
        {"Kes\x7f<\x7f", "Ke[]"}};
    for (const auto& [keys, shown] : cases) {
        SetWindowTextA(Edit(), "");
        Keys(keys);
        EXPECT_EQ(Shown(), shown) << "after " << keys;
        EXPECT_EQ(Statics(), " |  | ");
    }
}

// Choosing transfers the members into the controls: text typed since the last
// transfer from the controls goes back to what that transfer took.
TEST_F(CatalogueComboTest, ArrowKeysChooseAnEntryShownInTheStaticsAndCompletionKeepsIt) {
    SetWindowTextA(m_run.Item(IDC_COMMENTS), "kept");
    TypeText(*m_run.ui, m_run.Item(IDC_SHIP3), "x");  // a ship field change transfers from every control
    SendMessageA(m_run.Item(IDC_COMMENTS), EM_SETSEL, 4, 4);
    TypeText(*m_run.ui, m_run.Item(IDC_COMMENTS), " later");
    Press(VK_DOWN);
    EXPECT_EQ(WindowText(Edit()), Line(0));
    EXPECT_EQ(Statics(), StaticsOf(Line(0)));
    EXPECT_EQ(WindowText(m_run.Item(IDC_COMMENTS)) + WindowText(m_run.Item(IDC_SHIP3)), "keptx");
    Press(VK_DOWN);
    EXPECT_EQ(Statics(), StaticsOf(Line(1)));
    SendMessageA(Combo(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    Keys("Kes");
    ASSERT_EQ(Shown(), "Kes[trel]");
    EXPECT_EQ(Statics(), StaticsOf(Line(1)));
    EXPECT_EQ(m_run.dlg->m_strSubName, Line(1));
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
