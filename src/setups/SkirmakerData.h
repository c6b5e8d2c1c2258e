#pragma once
#include <string>

#include "setups/Archive.h"
#include "setups/SetupForm.h"

// One saved setup: a form kept under a title.
class CSkirmakerData : public CSetupForm {
public:
    static constexpr ArchiveClass kClass{"CSkirmakerData", 1};

    // "Save": the form under `title`, which is also the title it shows when chosen.
    void Fill(const std::string& title, const CSetupForm& form);

    // Reads or writes the fields in their order in the data file: the title,
    // the ships, the setup title, the four boxes (host first), the comment.
    void Serialize(CArchive& ar);

    std::string m_strTitle;
};
