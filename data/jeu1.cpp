#include "data/jeu1.h"

#include "data/running_total.h"

namespace data {
namespace {

// Steps in units of 10^-10.
constexpr std::int64_t kA = -20'437'310'057;
constexpr std::int64_t kB = +15'312'689'939;
constexpr std::int64_t kC = +26'472'689'941;
constexpr std::int64_t kD = -7'708'698'358;
constexpr std::int64_t kE = +32'241'496'270;

// Each stretch takes its single step into the values whose number is a multiple of 3 and its
// double step into the two others of each period.
constexpr std::array<Stretch, 5> kPlan{{
    {1778, kA, kB},
    {4111, kA, kC},
    {13343, kD, kC},
    {24490, kD, kA},
    {27686, kE, kA},
}};

constexpr auto kValues = RunningTotals<kJeu1Count>(3, kPlan);

}  // namespace

void LoadJeu1(std::int32_t& count, std::span<double> values) { CopyValues(kValues, count, values); }

}  // namespace data
