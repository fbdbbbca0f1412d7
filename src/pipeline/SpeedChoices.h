#pragma once
// The editable, sorted speed-limit box of the GPS/photo page: entries of "%4u" km/h texts
// with their whole numbers attached, an optional selection and the box's own text.
#include <string>
#include <vector>

#include "gps/GpsTrack.h"

namespace trackalbum {

class SpeedChoices {
public:
    struct Entry {
        std::string Text;
        unsigned Value = 0;
    };

    // Empties the entries, the text and the selection.
    void Clear();
    // Clears, then adds one entry per distinct whole km/h speed of the track's points.
    void Refill(const GpsTrack& track);
    // Inserts at the entry's place in text order; returns its index. An entry whose text
    // is already present is not added again (the existing index is returned).
    int AddEntry(const std::string& text, unsigned value);

    const std::vector<Entry>& GetEntries() const { return entries_; }
    // -1 for no selection; an index out of range selects nothing.
    void Select(int index);
    int GetSelection() const { return selection_; }
    // What the user typed; typing drops the selection.
    void SetText(const std::string& text);
    const std::string& GetText() const { return text_; }

    // The selected entry's value, else the text's leading decimal number, else 0.
    double GetSpeedLimit() const;

    // The entry text of a speed: cut toward zero, "%4u".
    static std::string FormatSpeed(double kilometresPerHour, unsigned* value = nullptr);

private:
    std::vector<Entry> entries_;
    int selection_ = -1;
    std::string text_;
};

}  // namespace trackalbum
