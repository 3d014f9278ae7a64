#include "data/jeu2.h"

#include "data/running_total.h"

namespace data {
namespace {

// Steps in units of 10^-10.
constexpr std::int64_t kA = -13'491'901'343;
constexpr std::int64_t kB = +8'218'098'658;
constexpr std::int64_t kC = +22'948'098'658;
constexpr std::int64_t kD = -11'611'901'343;
constexpr std::int64_t kE = +2'185'295'961;

// Each stretch takes one step into the even values and one into the odd values.
constexpr std::array<Stretch, 6> kPlan{{
    {667, kA, kB},
    {6807, kA, kC},
    {7010, kA, kD},
    {9375, kD, kD},
    {9578, kD, kE},
    {13127, kE, kE},
}};

constexpr auto kValues = RunningTotals<kJeu2Count>(2, kPlan);

}  // namespace

void LoadJeu2(std::int32_t& count, std::span<double> values) { CopyValues(kValues, count, values); }

}  // namespace data
