// Feeds the data-file reader arbitrary bytes, then checks that whatever it
// kept reads out as fields, and writes out and reads back to the same setups.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "setups/Archive.h"
#include "setups/SetupDataFile.h"
#include "setups/SetupStore.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    CSetupStore store;
    CArchive reader = CArchive::Loading(input);
    store.Serialize(reader);
    if (reader.Offset() > size || reader.FaultOffset() > size) std::abort();
    if (reader.Failed() && reader.FaultText().empty()) std::abort();
    // Every record kept reads out as fields that, written and read again, are the same.
    for (const auto& [title, record] : store.GetEntries()) {
        if (!record) continue;
        const CSkirmakerData again(record->Title(), record->Form());
        if (again.Title() != record->Title() || !(again.Form() == record->Form())) std::abort();
    }

    const std::string bytes = CSetupDataFile::Encode(store);
    CSetupStore again;
    CArchive rereader = CArchive::Loading(bytes);
    again.Serialize(rereader);
    if (rereader.Failed() || rereader.Offset() != bytes.size() ||
        CSetupDataFile::Encode(again) != bytes)
        std::abort();
    return 0;
}
