// The setup dialog's sharing of a setup: the host copies the form as the
// section "Select" writes, and each player pastes it, so every player's game
// mode matches the host's.
#include "files/WideText.h"
#include "framework/Clipboard.h"
#include "ui/SkirmakerDlg.h"

#include <vector>

namespace {

// Turns a pasted form's texts (read as UTF-8) into the code page's; answers
// the places where a character became "?", as "A1, P2 and the title".
std::string TakeIntoCodePage(CSetupForm& form) {
    std::vector<std::string> changed;
    for (const ShipPlace& place : kShipPlaces)
        if (!files::ToAnsi(form.*place.member)) changed.push_back(place.label);
    if (!files::ToAnsi(form.m_strSetupTitle)) changed.push_back("the title");
    std::string places;
    for (std::size_t i = 0; i < changed.size(); ++i)
        places += (i == 0 ? "" : i + 1 == changed.size() ? " and " : ", ") + changed[i];
    return places;
}

}  // namespace

void CSkirmakerDlg::OnCopySetup() {
    UpdateData(TRUE);
    // A setup no game can play is not handed on.
    if (RefuseIncompleteMode()) return;
    if (!AfxSetClipboardText(m_hWnd, files::Utf8OfAnsi(SharedText())))
        MessageBox("The setup could not be put on the clipboard; another program may be holding it.", nullptr,
                   MB_ICONERROR);
}

void CSkirmakerDlg::OnPasteSetup() {
    std::string text;
    const ClipboardText read = AfxGetClipboardText(m_hWnd, text, kMaxSharedTextBytes);
    UpdateData(TRUE);
    const SharedTextProblem problem =
        read == ClipboardText::TooLarge ? SharedTextProblem::TooLarge
        : read == ClipboardText::None   ? SharedTextProblem::NoSection
                                        : ReadSharedText(text);
    switch (problem) {
    case SharedTextProblem::None: {
        // As choosing a saved setup fills the form; nothing is written. A
        // character the form cannot hold is not dropped unseen: the setup's
        // mode is what players share, so it is taken, and the user is told.
        const std::string changed = TakeIntoCodePage(*this);
        UpdateData(FALSE);
        ShowPlayerShipsOfHostFlag();
        if (!changed.empty())
            MessageBox(("The setup was pasted, but some of its characters have no place in this system's code page "
                        "and became \"?\" in " + changed + ".").c_str(), nullptr, MB_ICONWARNING);
        return;
    }
    case SharedTextProblem::TooLarge:
        MessageBox("The clipboard holds too much text to be a setup.", nullptr, MB_ICONWARNING);
        return;
    case SharedTextProblem::NoSection:
        MessageBox("The clipboard holds no setup. A setup copied with \"Copy setup\" has a line [Mul_Skirmaker] "
                   "followed by its keys.", nullptr, MB_ICONWARNING);
        return;
    case SharedTextProblem::UnplayableMode:
        MessageBox("The setup on the clipboard has no game mode that can be played: TeamSettings must be 1 or 2 and "
                   "PlayerShipSettings 4 or 8. Ask for it to be copied again.", nullptr, MB_ICONWARNING);
        return;
    }
}
