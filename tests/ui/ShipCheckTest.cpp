// The setup dialog's ship catalogue combo and ship-name check, driven through real messages.
#include "DialogHarness.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

using namespace skmtest;

namespace {

constexpr COLORREF kWarningText = RGB(192, 0, 0);
const std::string kFixHint = "\nCtrl+Space puts it in.";

class ShipCheckTest : public DialogTest {
protected:
    // Starts the dialog on a game whose settings hold `ships` ("shipN=...\r\n" lines).
    void StartWith(const std::string& ships) {
        Start("[Mul_Skirmaker]\r\n" + ships + "TeamSettings=2\r\nPlayerShipSettings=8\r\n");
    }
    // The tip of the field `id`, read through the wide message: the narrow one gives 80 bytes at most.
    std::string Tip(int id) const {
        wchar_t wide[512] = {};
        TOOLINFOW info{sizeof info, 0, run->hWnd, reinterpret_cast<UINT_PTR>(Item(id)), {}, nullptr, wide, 0, nullptr};
        SendMessageW(run->dlg->m_shipTips.m_pointed.m_hWnd, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&info));
        char text[512] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        return text;
    }
    std::string Balloon() const {
        HWND balloon = run->dlg->m_shipTips.m_focused.m_hWnd;
        return IsWindowVisible(balloon) ? WindowText(balloon) : "(none)";
    }
    // The text colour and the brush that drawing the edit `id` gets from the dialog.
    std::pair<COLORREF, LRESULT> Colours(int id) const {
        HDC dc = CreateCompatibleDC(nullptr);
        const auto brush = SendMessageA(run->hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(Item(id)));
        const std::pair<COLORREF, LRESULT> colours{GetTextColor(dc), brush};
        DeleteDC(dc);
        return colours;
    }
    static void SetCtrl(BYTE state) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = state;
        SetKeyboardState(keys);
    }
    // Ctrl+Space where the focus is; posted keys leave the keyboard state alone, so the UI thread sets Ctrl.
    void CtrlSpace() {
        run->ui->Post([] { SetCtrl(0x80); });
        PostKey(run->Gui().hwndFocus, VK_SPACE);
        run->ui->Post([] { SetCtrl(0); });
        run->ui->Flush();
    }
    // Opens the menu of the field `id` from the keyboard and chooses `command` by its mnemonic
    // when it is enabled, else closes the menu; answers whether it was enabled.
    bool ChooseFromMenu(int id, char mnemonic, UINT command) {
        PostMessageA(Item(id), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Item(id)), -1);
        HWND menu = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) && IsWindowVisible(menu); }));
        const auto popup = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
        const bool enabled = !(GetMenuState(popup, command, MF_BYCOMMAND) & MF_GRAYED);
        if (enabled)
            PostMessageA(menu, WM_CHAR, mnemonic, 1);
        else
            PostKey(menu, VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
        run->ui->Flush();
        return enabled;
    }
};

// A flagged field is drawn in the warning colour; its tip, or while it has the focus its balloon,
// says why and what works. The fix goes through the field's own change, so the record follows.
TEST_F(ShipCheckTest, AFlaggedFieldSaysWhyAndOneActionPutsTheExactName) {
    StartWith("ship1=Kestrel\r\nship2=\"kestrel\"\r\nship3=\"Kestrl\"\r\nship9=\"Zzyzx Qwerty\"\r\n");
    // Ship number, tip, fixed by the menu (else by Ctrl+Space), the text fixed (null: nothing puts one in).
    const std::tuple<int, std::string, bool, const char*> cases[] = {
        {1, "Missing quotes. The game needs \"Kestrel\"." + kFixHint, false, "\"Kestrel\""},
        {2, "Wrong case. The game needs \"Kestrel\"." + kFixHint, true, "\"Kestrel\""},
        {3, "\"Kestrl\" is not a known ship. Did you mean \"Kestrel\"?" + kFixHint, false, "\"Kestrel\""},
        {9, "\"Zzyzx Qwerty\" is not a known ship. The catalogue lists the known sub names.\nChoose the ship in the "
            "catalogue and press Ctrl+Space there to put it here.", true, nullptr},
    };
    for (const auto& [n, tip, byMenu, fixed] : cases) {
        SCOPED_TRACE(n);
        const int id = kShipPlaces[n - 1].controlId;
        EXPECT_EQ(Colours(id).first, kWarningText);
        EXPECT_EQ(Tip(id), tip);
        EXPECT_EQ(Balloon(), "(none)");
        run->Focus(Item(id));
        EXPECT_EQ(Balloon(), tip);
        EXPECT_EQ(Tip(id), "");  // the balloon says it: no second tip
        const std::string after = fixed ? fixed : Text(id);
        if (byMenu)
            EXPECT_EQ(ChooseFromMenu(id, 'n', IDM_PUTSHIPNAME), fixed != nullptr);
        else
            CtrlSpace();
        EXPECT_EQ(Text(id), after);
        EXPECT_EQ(theMissionSettings.m_strShips[n], after);
        EXPECT_EQ(Balloon(), fixed ? "(none)" : tip);
        EXPECT_EQ(Colours(id).first == kWarningText, !fixed);
    }
    // A6's balloon lies over A7, yet the first click on A7 reaches it.
    SetWindowTextA(Item(IDC_SHIP6), "Kestrel");
    run->Focus(Item(IDC_SHIP6));
    RECT a7, balloon, both;
    GetWindowRect(Item(IDC_SHIP7), &a7);
    GetWindowRect(run->dlg->m_shipTips.m_focused.m_hWnd, &balloon);
    ASSERT_TRUE(IntersectRect(&both, &a7, &balloon));
    for (const DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        // Each event says where it is: the pointer's own moves may still be on their way.
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi = {(both.left + both.right) / 2 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1),
                    (both.top + both.bottom) / 2 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1), 0,
                    MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button, 0, 0};
        SendInput(1, &input, sizeof input);
    }
    EXPECT_TRUE(WaitFor([&] { return run->Gui().hwndFocus == Item(IDC_SHIP7); }));
    // Nothing blocks: Enter in a flagged field runs "Select", which writes the fields as they stand.
    PostKey(Item(IDC_SHIP9), VK_RETURN);
    ASSERT_TRUE(run->ui->Join());
    EXPECT_NE(ReadFileBytes(game.scriptsIni).find("ship9=\"Zzyzx Qwerty\"\r\n"), std::string::npos);
    EXPECT_EQ(Boxes().size(), 1u);  // the confirmation alone
}

// The catalogue's ship goes, quoted, into the ship field that had the focus last: A1 before any had it.
TEST_F(ShipCheckTest, ACataloguePickLandsQuotedInTheShipFieldFocusedLast) {
    StartWith("");
    HWND catalogueEdit = FindWindowExA(Item(IDC_CATALOGUE), nullptr, "Edit", nullptr);
    // The field it lands in, focused before (else none was yet), put by the menu, typed, put.
    const std::tuple<int, bool, bool, const char*, const char*> cases[] = {
        {IDC_SHIP1, false, false, "Kes", "\"Kestrel\""},
        {IDC_SHIP11, true, false, "Merlin-", "\"Merlin-A\""},
        {IDC_SHIP6, true, true, "Tern", "\"Tern\""}};
    for (const auto& [landsIn, focusedBefore, byMenu, typed, put] : cases) {
        SCOPED_TRACE(typed);
        if (focusedBefore) run->Focus(Item(landsIn));
        run->Focus(catalogueEdit);
        SetWindowTextA(catalogueEdit, "");
        TypeText(*run->ui, catalogueEdit, typed);
        if (byMenu)
            EXPECT_TRUE(ChooseFromMenu(landsIn, 's', IDM_PUTCATALOGUESHIP));
        else
            CtrlSpace();
        EXPECT_EQ(Text(landsIn), put);
        EXPECT_NE(Colours(landsIn).first, kWarningText);
    }
    // In the other boxes Ctrl+Space types a space, as anywhere else.
    run->Focus(Item(IDC_COMMENTS));
    CtrlSpace();
    EXPECT_EQ(Text(IDC_COMMENTS), " ");
}

// The game's loadout ships join the catalogue and are known ships, read again
// when the game's folder is chosen. Fine ships are drawn and answered as
// without the check: default processing, no tips. A saved setup that is chosen
// is checked as it is shown.
TEST_F(ShipCheckTest, LoadoutShipsAreKnownFineFieldsLookAsWithoutTheCheckAndAChosenSetupIsChecked) {
    const fs::path specs = game.install / "Assets" / "Specs";
    fs::create_directories(specs);
    WriteFileBytes(specs / "DefaultLoadOut.txt", "Race\tClass\tSubName\r\nVeshari\tVES-Lancer\tNightjar\r\nConcord\tCON-Scout\tKestrel\r\n");
    WriteFileBytes(specs / "CustomLoadOut.txt", "x\ty\tVesper Mk II\n");
    CSetupForm form;
    form.m_strShip4 = "Kestrel";
    CSetupStore store;
    store.Fill("Raid", form);
    WriteFileBytes(game.dataFile, CSetupDataFile::Encode(store));
    StartWith("ship1=\"Vesper Mk II\"\r\nship2=\"Nightjar\"\r\nship3=\"Kestrel II\"\r\n");
    HWND catalogue = Item(IDC_CATALOGUE);
    EXPECT_EQ(SendMessageA(catalogue, CB_GETCOUNT, 0, 0), 302);  // the game's ships are in once the dialog is on screen
    const auto index = SendMessageA(catalogue, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("Nightjar"));
    ASSERT_NE(index, CB_ERR);
    run->Choose(IDC_CATALOGUE, index);
    EXPECT_EQ(Text(IDC_RACE) + "|" + Text(IDC_CLASS), "Veshari|VES-Lancer");
    for (const int id : {IDC_SHIP1, IDC_SHIP2, IDC_SHIP3, IDC_SHIP4}) {
        run->Focus(Item(id));
        EXPECT_EQ(Colours(id), Colours(IDC_COMMENTS)) << id;
        EXPECT_EQ(Tip(id) + Balloon(), "(none)") << id;
    }
    // Another table, and the folder in use chosen again: its ships replace the ones before.
    WriteFileBytes(specs / "DefaultLoadOut.txt", "SubName\r\nOsprey\r\n");
    const auto picker = std::exchange(g_pfnBrowseForFolder, [](HWND, const char*, const std::string& inUse) { return inUse; });
    PostMessageA(run->hWnd, WM_SYSCOMMAND, IDM_GAMEFOLDER, 0);
    run->ui->Flush();
    g_pfnBrowseForFolder = picker;
    EXPECT_EQ(SendMessageA(catalogue, CB_GETCOUNT, 0, 0), 302);
    EXPECT_EQ(Colours(IDC_SHIP2).first, kWarningText);  // "Nightjar" is no ship of the game now
    run->Choose(IDC_CATALOGUE, SendMessageA(catalogue, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("Osprey")));
    EXPECT_EQ(Text(IDC_SUBNAME), "Osprey");
    run->Choose(IDC_SETUPS, 0);
    EXPECT_EQ(Balloon(), "Missing quotes. The game needs \"Kestrel\"." + kFixHint);  // A4 has the focus
    EXPECT_EQ(Colours(IDC_SHIP4).first, kWarningText);
    EXPECT_TRUE(Boxes().empty());
}

class CatalogueComboTest : public DialogTest {
protected:
    void SetUp() override {
        Start();
        run->Focus(Combo());
    }
    HWND Combo() const { return Item(IDC_CATALOGUE); }
    HWND Edit() const { return FindWindowExA(Combo(), nullptr, "Edit", nullptr); }

    void Press(WORD vk) {
        PostKey(Edit(), vk);
        run->ui->Flush();
    }
    // Types `keys` into the combo: '\b' is Backspace, '\x7f' Delete and '<' the left arrow.
    void Keys(const std::string& keys) {
        for (char key : keys) {
            const WORD vk = key == '\b' ? VK_BACK : key == '\x7f' ? VK_DELETE : key == '<' ? VK_LEFT : 0;
            if (vk)
                Press(vk);
            else
                TypeText(*run->ui, Edit(), std::string(1, key));
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
    std::string Statics() const { return Text(IDC_RACE) + " | " + Text(IDC_CLASS) + " | " + Text(IDC_SUBNAME); }
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

}  // namespace
