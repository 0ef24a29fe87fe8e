#include "common/band_table.h"

#include "common/text.h"

namespace vantrel {

const BandInfo* FindBand(std::string_view label) {
  for (const auto& band : kBands)
    if (EqualsNoCase(band.label, label)) return &band;
  return nullptr;
}

int BandIndex(std::string_view label) {
  const BandInfo* band = FindBand(label);
  return band ? band->index : 0;
}

}  // namespace vantrel
