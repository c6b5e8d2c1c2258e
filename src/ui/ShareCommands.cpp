// The setup dialog's sharing of a setup: the host copies the form as the
// section "Select" writes, and each player pastes it, so every player's game
// mode matches the host's.
#include "framework/Clipboard.h"
#include "ui/SkirmakerDlg.h"

void CSkirmakerDlg::OnCopySetup() {
    UpdateData(TRUE);
    // A setup no game can play is not handed on.
    if (RefuseIncompleteMode()) return;
    if (!AfxSetClipboardText(m_hWnd, SharedText()))
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
    case SharedTextProblem::None:
        // As choosing a saved setup fills the form; nothing is written.
        UpdateData(FALSE);
        ShowPlayerShipsOfHostFlag();
        return;
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
