#include "setups/SkirmakerData.h"

#include <array>

struct CSkirmakerData::Fields {
    std::string_view title;
    std::array<std::string_view, CMissionSettings::kShipCount> ships;
    std::string_view setupTitle;
    std::array<std::int32_t, 4> boxes{};
    std::string_view comments;

    // In the order of `boxes`.
    static constexpr std::array<std::int32_t CSetupForm::*, 4> kBoxes = {
        &CSetupForm::m_bHostSelectShips, &CSetupForm::m_bPlayerSelectShips, &CSetupForm::m_bPlayerVsAI,
        &CSetupForm::m_bPlayerVsPlayer};

    // The fields in their order, in one place for reading and writing.
    template <class Archive>
    void Transfer(Archive& ar) {
        ar.Transfer(title);
        for (std::string_view& ship : ships) ar.Transfer(ship);
        ar.Transfer(setupTitle);
        for (std::int32_t& box : boxes) ar.Transfer(box);
        ar.Transfer(comments);
    }
};

namespace {

// A blank record's bytes: sixteen empty texts, four boxes 0, an empty comment.
constexpr char kBlankBytes[16 + 4 * 4 + 1] = {};

// Finds where a record ends, as fast as loading a large file needs: it takes
// texts shorter than 255 bytes only, and leaves all else, faults included, to
// the archive. `kNearEnd` checks each step against the end of the bytes;
// without it, the bytes must hold kLongestRecord, which no walk passes.
template <bool kNearEnd>
class CRecordSkimmer {
public:
    // Seventeen steps of at most 256 bytes, four boxes.
    static constexpr std::size_t kLongestRecord = 17 * 256 + 4 * 4;

    explicit CRecordSkimmer(std::string_view bytes)
        : m_start(reinterpret_cast<const unsigned char*>(bytes.data())), m_next(m_start), m_end(m_next + bytes.size()) {}
    void Transfer(std::string_view&) {
        if (kNearEnd && m_next >= m_end) {
            m_stopped = true;
            return;
        }
        const std::size_t length = *m_next;
        m_stopped |= length == 0xFF;
        Take(1 + length);
    }
    void Transfer(std::int32_t&) { Take(4); }
    // The record's length; 0 when the archive must read it.
    std::size_t Length() const { return m_stopped ? 0 : static_cast<std::size_t>(m_next - m_start); }

private:
    void Take(std::size_t count) {
        if (kNearEnd && count > static_cast<std::size_t>(m_end - m_next))
            m_stopped = true;
        else
            m_next += count;
    }

    const unsigned char* m_start;
    const unsigned char* m_next;
    const unsigned char* m_end;
    bool m_stopped = false;
};

template <bool kNearEnd>
std::size_t SkimmedLength(std::string_view bytes) {
    CSkirmakerData::Fields fields;
    CRecordSkimmer<kNearEnd> skimmer(bytes);
    fields.Transfer(skimmer);
    return skimmer.Length();
}

}  // namespace

CSkirmakerData::CSkirmakerData() : m_bytes(std::string_view(kBlankBytes, sizeof kBlankBytes), nullptr) {}

CSkirmakerData::CSkirmakerData(std::string_view title, const CSetupForm& form) {
    Fields fields;
    fields.title = title;
    for (std::size_t i = 0; i < kShipPlaces.size(); ++i) fields.ships[i] = form.*kShipPlaces[i].member;
    fields.setupTitle = form.m_strSetupTitle;
    for (std::size_t i = 0; i < Fields::kBoxes.size(); ++i) fields.boxes[i] = form.*Fields::kBoxes[i];
    fields.comments = form.m_strComments;
    std::string bytes;
    CArchive ar = CArchive::Storing(&bytes);
    fields.Transfer(ar);
    m_bytes = SharedBytes::Copy(bytes);
}

CSkirmakerData CSkirmakerData::Saved(std::string_view title, const CSetupForm& form) {
    CSetupForm saved = form;
    saved.m_strSetupTitle = title;
    return CSkirmakerData(title, saved);
}

std::string_view CSkirmakerData::Title() const {
    // The title comes first.
    return CArchive::Loading(m_bytes.View()).ReadText();
}

CSetupForm CSkirmakerData::Form() const {
    Fields fields;
    CArchive ar = CArchive::Loading(m_bytes.View());
    fields.Transfer(ar);
    CSetupForm form;
    for (std::size_t i = 0; i < kShipPlaces.size(); ++i) form.*kShipPlaces[i].member = fields.ships[i];
    form.m_strSetupTitle = fields.setupTitle;
    for (std::size_t i = 0; i < Fields::kBoxes.size(); ++i) form.*Fields::kBoxes[i] = fields.boxes[i];
    form.m_strComments = fields.comments;
    return form;
}

void CSkirmakerData::Serialize(CArchive& ar) {
    const std::size_t start = ar.Offset();
    if (ar.IsStoring()) {
        ar.WriteBytes(m_bytes.View());
        // Equal bytes that the archive keeps: those held so far may go.
        if (ar.Shares()) m_bytes = ar.Share(start);
        return;
    }
    const std::string_view unread = ar.Unread();
    const std::size_t length = unread.size() >= CRecordSkimmer<false>::kLongestRecord ? SkimmedLength<false>(unread)
                                                                                      : SkimmedLength<true>(unread);
    if (length != 0) {
        ar.ReadBytes(length);
    } else {
        Fields fields;
        fields.Transfer(ar);
    }
    if (!ar.Failed()) m_bytes = ar.Share(start);
}
