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
  const bool valid = Moderate(dx) && Moderate(slope);
  return {slope, valid};
}

// The estimate of every step of a series at once: out[k] for the step from element k to element
// k + 1, or a not-a-number where the estimate is not valid, which then spoils every sum it enters.
// The test is Moderate's, in comparisons; combined with & and not &&, they leave the loop without
// branches, so that the compiler turns it into vector instructions.
inline void EstimateSteps(const double* x, const double* y, std::int32_t steps, double* out) {
  constexpr double kLow = 0x1p-500;
  constexpr double kHigh = 0x1p500;
  for (std::int32_t k = 0; k < steps; ++k) {
    const double dx = x[k + 1] - x[k];
    const double slope = (y[k + 1] - y[k]) / dx;
    const double size_dx = std::fabs(dx);
    const double size_slope = std::fabs(slope);
    const bool valid =
        (size_dx >= kLow) & (size_dx < kHigh) & (size_slope >= kLow) & (size_slope < kHigh);
    out[k] = valid ? slope : std::nan("");
  }
}

}  // namespace analysis::estimates
