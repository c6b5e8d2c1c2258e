#pragma once
#include <cstdint>
#include <string_view>

#include "setups/Archive.h"
#include "setups/SetupForm.h"
#include "setups/SharedBytes.h"

// One saved setup: a form kept under a title. It holds its fields as they lie
// in the data file, in bytes it shares and never changes, and reads them out
// when they are needed: a record loaded from the file points into the bytes
// read, so a loaded file takes little more memory than its size, and writing
// it back copies bytes.
class CSkirmakerData {
public:
    static constexpr ArchiveClass kClass{"CSkirmakerData", 1};

    // A blank record, as "Delete" leaves it: every text empty, every box 0.
    CSkirmakerData();
    // `title` and the form, its setup title as it is.
    CSkirmakerData(std::string_view title, const CSetupForm& form);
    // "Save": the form under `title`, which is also the title it shows when chosen.
    static CSkirmakerData Saved(std::string_view title, const CSetupForm& form);

    // The title of its line in the setup list.
    std::string_view Title() const;
    // What choosing it shows: the setup title, ships, boxes and comment.
    CSetupForm Form() const;

    // Writes its bytes, or reads a record's fields and takes their bytes.
    // Either way, where the archive shares its bytes, the record holds
    // those from then on.
    void Serialize(CArchive& ar);

    friend bool operator==(const CSkirmakerData& a, const CSkirmakerData& b) { return a.m_bytes == b.m_bytes; }

    // Views of the fields in their order in the data file: the title, the
    // ships, the setup title, the four boxes (host first), the comment.
    struct Fields;

private:
    SharedBytes m_bytes;
};
