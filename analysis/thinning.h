#pragma once

#include <cstdint>

#include "analysis/store.h"

// The thinning of "Traitement 2": the step it keeps points at, and the thinned series.
namespace analysis {

// The smallest span n (1 to 8) at which the chords from point 2 to point n + 2 and from there to
// point 2n + 2 have the same slope within 1/100 (strictly); 0 when there is none. Reads no point
// past 18.
std::int32_t ThinningStep(const Store& store);

// Keeps points 1, 1 + step, 1 + 2 step, ... of the full series as thinned points 1, 2, 3, ...
// and sets NbPoints2. A step of 1 keeps every point, for which the thinned arrays have room.
void Thin(Store& store, std::int32_t step);

}  // namespace analysis
