#include "pipeline/SpeedChoices.h"

#include <algorithm>
#include <unordered_set>

#include "platform/CFormat.h"

namespace trackalbum {
namespace {

// Speeds come from divisions by time steps; NaN, negative or absurd values would make the
// unsigned conversion undefined, so they are held to the representable range.
unsigned WholeSpeed(double kilometresPerHour) {
    if (!(kilometresPerHour > 0.0)) return 0;
    if (kilometresPerHour >= 4294967295.0) return 4294967295u;
    return static_cast<unsigned>(kilometresPerHour);
}

}  // namespace

void SpeedChoices::Clear() {
    entries_.clear();
    selection_ = -1;
    text_.clear();
}

std::string SpeedChoices::FormatSpeed(double kilometresPerHour, unsigned* value) {
    unsigned whole = WholeSpeed(kilometresPerHour);
    if (value != nullptr) *value = whole;
    return FormatC("%4u", whole);
}

void SpeedChoices::Refill(const GpsTrack& track) {
    Clear();
    // "%4u" gives distinct texts for distinct numbers, so the duplicate test can go by
    // number and only new speeds are formatted: a long track has few distinct speeds.
    std::unordered_set<unsigned> seen;
    for (const GpsPoint& point : track) {
        unsigned whole = WholeSpeed(point.GetSpeed());
        if (!seen.insert(whole).second) continue;
        AddEntry(FormatC("%4u", whole), whole);
    }
}

int SpeedChoices::AddEntry(const std::string& text, unsigned value) {
    auto place = std::lower_bound(entries_.begin(), entries_.end(), text,
                                  [](const Entry& entry, const std::string& t) { return entry.Text < t; });
    if (place != entries_.end() && place->Text == text) return static_cast<int>(place - entries_.begin());
    int index = static_cast<int>(place - entries_.begin());
    entries_.insert(place, Entry{text, value});
    if (selection_ >= index) ++selection_;
    return index;
}

void SpeedChoices::Select(int index) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        selection_ = -1;
        return;
    }
    selection_ = index;
    text_ = entries_[static_cast<size_t>(index)].Text;
}

void SpeedChoices::SetText(const std::string& text) {
    text_ = text;
    selection_ = -1;
}

double SpeedChoices::GetSpeedLimit() const {
    if (selection_ >= 0) return entries_[static_cast<size_t>(selection_)].Value;
    return ParseLeadingDouble(text_);
}

}  // namespace trackalbum
