#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

// Cheap stand-ins for the exact step slopes, for deciding what the exact arithmetic would decide
// without doing it. The commands form every intermediate in extended precision and round it to
// double where it is stored; plain double arithmetic comes within a few units in the last place
// of that. Where the margin of a decision is larger than the error, the cheap result decides;
// otherwise the command takes the exact road for that step, so that every listing, and every
// error, stays the one of the exact arithmetic.
namespace analysis::estimates {

// 2^-500 <= |v| < 2^500: no step of the estimate comes near an overflow, an underflow or a
// subnormal, so the error bounds below hold. Not-a-numbers and infinities are out.
inline bool Moderate(double v) {
  const auto biased = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(v) >> 52) & 0x7ff;
  return biased - (1023 - 500) < 1000;
}

// The slope dy / dx of one step in double arithmetic. Valid when dx and the slope are moderate
// (which keeps dy far from the subnormals too), and then within |slope| * 2^-50 of the exact step
// slope, which in turn raises no error. A step of slope 0, or the first step of both data sets
// (dx = 0, slope +infinity), is not valid.
struct StepEstimate {
  double slope;
  bool valid;
};

inline StepEstimate EstimateStep(double x0, double x1, double y0, double y1) {
  const double dx = x1 - x0;
  const double slope = (y1 - y0) / dx;
  const bool valid = Moderate(dx) & Moderate(slope);
  return {slope, valid};
}

}  // namespace analysis::estimates
