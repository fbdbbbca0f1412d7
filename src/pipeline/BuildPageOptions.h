#pragma once
#include "page/PageOptions.h"
#include "settings/MapSettings.h"
#include "settings/RunOptions.h"

namespace trackalbum {

// The record every page fragment reads, filled field by field from the settings and the
// run's inputs.
PageOptions BuildPageOptions(const MapSettings& settings, const RunOptions& run);

}  // namespace trackalbum
