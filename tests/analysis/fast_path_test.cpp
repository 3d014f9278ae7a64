// The commands decide most steps from double-precision estimates and fall back to the exact
// arithmetic only where an estimate's margin is too thin. Whether they fell back everywhere they
// had to shows only as a different listing or error on some series, so both commands run here on
// many random series against the exact reference, each kind of series aimed at an edge of the
// estimates.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/commands.h"
#include "exact_reference.h"
#include "fixtures.h"
#include "runtime/errors.h"

namespace {

// Random draws from a fixed seed, so that a failing series is found again by its kind and index.
class Draw {
 public:
  explicit Draw(std::uint64_t seed) : engine_(seed) {}
  double Real(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(engine_);
  }
  int Whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
  bool OneIn(int n) { return Whole(1, n) == 1; }
  double Sign() { return OneIn(2) ? 1 : -1; }

 private:
  std::mt19937_64 engine_;
};

double Thousandths(double v) { return std::nearbyint(v * 1000) / 1000; }

// A series as its loader gives it: values[k] for k = 1 to n, where values[1] to values[n - 1]
// are points 2 to n and values[n] lies just past the series. Point 1 is always 0, and point 2 is
// 0 too, as in both data sets, unless a kind says otherwise.
using Values = std::vector<double>;

// The value count units in the last place away from v (count may be negative).
double Nudged(double v, int count) {
  const double toward = count < 0 ? -std::numeric_limits<double>::infinity()
                                  : std::numeric_limits<double>::infinity();
  for (int i = 0; i < std::abs(count); ++i) v = std::nextafter(v, toward);
  return v;
}

// Every sum of three step slopes within two units in the last place of a half hundredth, by
// trying the neighbours of each new value, and slopes of both signs and of different binades, so
// that a sum in double and one in extended precision can round apart: the rounding to hundredths
// is decided by an ulp in most windows. The halves stay within a hundredth of each other, so
// that whether the listing goes on turns on each rounding.
Values SumsOnHalves(Draw& draw, int n) {
  // The slopes keep near the threes u, -w, uw / (u - w), whose reciprocals add to 0: the values
  // then stay near 0, where the next double moves a slope by about an ulp.
  double pattern[3];
  do {
    const double u = draw.Real(0.5, 2), w = draw.Real(0.5, 2);
    pattern[0] = u;
    pattern[1] = -w;
    pattern[2] = u * w / (u - w);
  } while (!(std::fabs(pattern[2]) >= 0.5 && std::fabs(pattern[2]) <= 4));
  const double center = std::floor((pattern[0] + pattern[1] + pattern[2]) * 100) + 0.5;

  Values v(n + 1, 0.0);
  double x = 0, a = 0, b = 0;  // the last value and the slopes of the two last steps
  for (int k = 2; k <= n; ++k) {
    const double ideal = pattern[k % 3];
    double y = x + 1 / ideal;
    if (k >= 4) {
      // A half next to the center, held back when the slope would stray from its pattern.
      int offset = draw.Whole(-1, 1);
      if (std::fabs((center + offset) / 100 - a - b - ideal) > 0.05) {
        offset = std::clamp(static_cast<int>(std::lround((ideal + a + b) * 100 - center)), -1, 1);
      }
      const double half = center + offset;
      const double ulp = std::nextafter(half, std::numeric_limits<double>::infinity()) - half;
      y = x + 1 / (half / 100 - a - b);
      std::vector<double> near;
      for (double candidate = Nudged(y, -24), last = Nudged(y, 24); candidate <= last;
           candidate = Nudged(candidate, 1)) {
        if (std::fabs((a + b + 1 / (candidate - x)) * 100 - half) <= 2 * ulp) {
          near.push_back(candidate);
        }
      }
      if (!near.empty()) y = near[draw.Whole(0, static_cast<int>(near.size()) - 1)];
    }
    a = b;
    b = 1 / (y - x);
    v[k] = x = y;
  }
  return v;
}

// Pairs of step slopes a tenth apart, where the double difference and the one of the extended
// slopes fall on either side of 0.1. The two differ only when a slope is a quotient that the
// extended division rounds twice: 1 / (2^e (1 - u 2^-53)) for an odd u below 2^21 lies just above
// a point half-way between two doubles and is rounded onto it in 64 bits, so that half the time
// it ends on the other double. Such a step starts half of 2^e short of 0, where its end is exact.
// Each pair follows five equal steps, so that the spacing lets it be listed.
Values TenthApart(Draw& draw, int n) {
  Values v(n + 1, 0.0);
  int k = 2;
  const auto put = [&](double value) {
    if (k <= n) v[k++] = value;
  };
  // Points 2 to 4 evenly spaced: a thinning step of 1.
  put(1);
  put(2);
  while (k <= n) {
    const int e = draw.Whole(-2, 1);
    const double sign = draw.Sign(), apart = draw.Sign() * 0.1;
    const double unit = sign * std::ldexp(1.0, e);
    double x = -unit / 2 - 5 * unit;
    put(x);
    for (int i = 0; i < 5; ++i) put(x += unit);
    double y1 = 0, y2 = 0;
    bool found = false;
    for (int attempt = 0; attempt < 64 && !found; ++attempt) {
      const int u = 2 * draw.Whole(0, (1 << 20) - 1) + 1;
      y1 = sign * std::ldexp(0.5 - std::ldexp(u, -53), e);
      const double p = 1 / (y1 - x);
      const double p_extended = static_cast<double>(1.0L / (y1 - x));
      y2 = y1 + 1 / (p + apart);
      if (p == p_extended) continue;
      for (double candidate = Nudged(y2, -8), last = Nudged(y2, 8); candidate <= last && !found;
           candidate = Nudged(candidate, 1)) {
        const double s = 1 / (candidate - y1);
        const double s_extended = static_cast<double>(1.0L / (candidate - y1));
        const double d = std::fabs(s - p);
        const bool changed = std::fabs(static_cast<long double>(s_extended) - p_extended) > 0.1L;
        if (d != 0.1 && (d > 0.1) != changed) {
          found = true;
          y2 = candidate;
        }
      }
    }
    put(y1);
    put(y2);
  }
  return v;
}

// A start whose only agreeing chords are those of a thinning step of 2 to 8, and a fault (a
// not-a-number, an infinity, a subnormal or a value near the largest double) where only an exact
// slope meets it: at point 1 + step, which no chord of the thinning reads and from which the
// first two thinned steps run, or at point 2, whose step from point 1 enters no smoothed slope.
// Point 2 is not 0 here, so that the first thinned step and the first chord differ.
Values FaultsOnlyExactSlopesMeet(Draw& draw, int n) {
  static const double kFaults[] = {std::numeric_limits<double>::quiet_NaN(),
                                   std::numeric_limits<double>::infinity(),
                                   -std::numeric_limits<double>::infinity(),
                                   std::numeric_limits<double>::denorm_min(),
                                   -8 * std::numeric_limits<double>::denorm_min(),
                                   std::numeric_limits<double>::max(),
                                   -std::numeric_limits<double>::max()};
  Values v(n + 1, 0.0);
  const int step = draw.Whole(2, 8);
  const double d = draw.Sign() * draw.Real(0.5, 2);
  double total = 0;
  for (int k = 1; k <= n; ++k) {
    if (k < 20) {
      // Points 2, 2 + step, 2 + 2 step, ... on a line, the others off it.
      total = k * d + ((k - 1) % step == 0 ? 0 : draw.Real(-2, 2));
    } else {
      total += draw.Real(-10, 10);
    }
    v[k] = Thousandths(total);
  }
  const double fault = kFaults[draw.Whole(0, std::size(kFaults) - 1)];
  if (draw.OneIn(3)) {
    v[1] = fault;
  } else if (step <= n) {
    v[step] = fault;
  }
  return v;
}

// Neighbours 2^-30 to 2^-top apart among values near 2^-20, with top between 40 and 64 for each
// series: step slopes of 2^30 to 2^64, whose smoothed slopes in hundredths go past the range where
// the estimates decide and, in some of the series, past that of a 64-bit integer, where the
// rounding to hundredths is an invalid operation.
Values SteepSteps(Draw& draw, int n) {
  Values v(n + 1, 0.0);
  const int top = draw.Whole(40, 64);
  double x = std::ldexp(draw.Real(1, 2), -20);
  for (int k = 2; k <= n; ++k) {
    x += draw.Sign() * std::ldexp(draw.Real(1, 2), -draw.Whole(30, top));
    v[k] = x;
  }
  return v;
}

struct Kind {
  const char* name;
  Values (*make)(Draw& draw, int n);
};

void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.name; }

const Kind kKinds[] = {
    // Like the data sets: stretches of a zigzag of period 1 to 4, rounded to thousandths.
    {"DataSetLike",
     [](Draw& draw, int n) {
       Values v(n + 1, 0.0);
       const int period = draw.Whole(1, 4);
       double on = draw.Real(-40, 40), off = draw.Real(-40, 40), total = 0;
       for (int k = 2; k <= n; ++k) {
         if (draw.OneIn(301)) {
           on = draw.Real(-40, 40);
           off = draw.Real(-40, 40);
         }
         total += k % period == 0 ? on : off;
         v[k] = Thousandths(total);
       }
       return v;
     }},
    // Steps of a few binary fractions: smoothed slopes that lie exactly on a half of a hundredth,
    // where the rounding goes to the even neighbour.
    {"DyadicSteps",
     [](Draw& draw, int n) {
       static const double kSteps[] = {0.125, 0.25, 0.375, 0.5, 0.625,  0.75, 1,   1.25, 2,
                                       2.5,   4,    5,     8,   0.0625, 0.2,  0.4, 0.8,  1.6};
       const auto any_step = [&] { return kSteps[draw.Whole(0, 17)] * draw.Sign(); };
       Values v(n + 1, 0.0);
       double s = any_step(), total = 0;
       for (int k = 2; k <= n; ++k) {
         if (draw.OneIn(21)) s = any_step();
         total += draw.OneIn(4) ? -s : s;
         v[k] = total;
       }
       return v;
     }},
    // Thousandths with a repeated value now and then: steps of no extent, whose slope is
    // +infinity, and the errors they lead to.
    {"RepeatedValues",
     [](Draw& draw, int n) {
       Values v(n + 1, 0.0);
       double total = 0;
       for (int k = 2; k <= n; ++k) {
         if (!draw.OneIn(41)) total += draw.Whole(-3000, 3000) / 1000.0;
         v[k] = Thousandths(total);
       }
       return v;
     }},
    // Values of any magnitude, from subnormal to near the largest double: estimates out of
    // their safe range, overflows and underflows.
    {"WideMagnitudes",
     [](Draw& draw, int n) {
       Values v(n + 1, 0.0);
       for (int k = 2; k <= n; ++k) {
         const int exponent = draw.Whole(-1074, 1023);
         const double mantissa = draw.Real(1, 2) * draw.Sign();
         const int pick = draw.Whole(0, 9);
         if (pick < 6) {
           v[k] = v[k - 1] + draw.Real(-2, 2);
         } else if (pick < 8) {
           v[k] = std::ldexp(mantissa, exponent);
         } else {
           v[k] = std::ldexp(mantissa, draw.Whole(-20, 20));
         }
       }
       return v;
     }},
    // Infinities and not-a-numbers among ordinary values.
    {"NonFinite",
     [](Draw& draw, int n) {
       Values v(n + 1, 0.0);
       double total = 0;
       for (int k = 2; k <= n; ++k) {
         const int pick = draw.Whole(0, 60);
         if (pick == 0) {
           v[k] = std::numeric_limits<double>::infinity();
         } else if (pick == 1) {
           v[k] = -std::numeric_limits<double>::infinity();
         } else if (pick == 2) {
           v[k] = std::numeric_limits<double>::quiet_NaN();
         } else {
           total += draw.Real(-3, 3);
           v[k] = total;
         }
       }
       return v;
     }},
    // Step slopes of three times a whole number and a half of hundredths, so that three in a
    // row sum to a whole number and a half of hundredths; some are nudged by about 1e-15, and
    // half the values are rounded to thousandths: smoothed slopes on and next to the halves
    // where the rounding to hundredths turns.
    {"NearHalfHundredths",
     [](Draw& draw, int n) {
       Values v(n + 1, 0.0);
       double total = 0;
       for (int k = 2; k <= n; ++k) {
         double slope = (draw.Whole(-300, 300) + 0.5) / 100.0;
         if (draw.OneIn(4)) slope += draw.Real(-1e-15, 1e-15);
         total += 1.0 / (slope * 3);
         v[k] = draw.OneIn(2) ? Thousandths(total) : total;
       }
       return v;
     }},
    // A straight start, so that "Traitement 2" finds a thinning step (1, 2 or 3), then anything.
    {"StraightStart",
     [](Draw& draw, int n) {
       Values v(n + 1, 0.0);
       const double s = draw.Real(-5, 5);
       const int step = draw.Whole(1, 8);
       double total = 0;
       for (int k = 2; k <= n; ++k) {
         if (k < 20) {
           total += k % step == 0 ? s * 2 : s;
         } else {
           total += draw.OneIn(2) ? s : draw.Real(-10, 10);
         }
         v[k] = Thousandths(total);
       }
       return v;
     }},
    // Small whole numbers and their halves, thirds and quarters: many equal slopes and smoothed
    // slopes that are exact hundredths.
    {"SmallFractions",
     [](Draw& draw, int n) {
       Values v(n + 1, 0.0);
       double total = 0;
       for (int k = 2; k <= n; ++k) {
         total += draw.Whole(-4, 4);
         v[k] = total / draw.Whole(1, 4);
       }
       return v;
     }},
    // Every point kept by "Traitement 2", with slopes alternating 0.1 apart, some moved by one
    // unit in the last place: changes of slope right at its threshold.
    {"NearTenthChanges",
     [](Draw& draw, int n) {
       Values v(n + 1, 0.0);
       double a = draw.Real(-3, 3);
       if (std::fabs(a) < 0.3) a = 1.5;
       double total = 0;
       for (int k = 2; k <= n; ++k) {
         double slope = k < 12 || k % 2 == 1 ? a : a - 0.1 * (draw.OneIn(4) ? -1 : 1);
         if (draw.OneIn(5)) slope = std::nextafter(slope, draw.OneIn(2) ? 1e9 : -1e9);
         total += 1.0 / slope;
         v[k] = total;
       }
       return v;
     }},
    {"SumsOnHalves", SumsOnHalves},
    {"TenthApart", TenthApart},
    {"FaultsOnlyExactSlopesMeet", FaultsOnlyExactSlopesMeet},
    {"SteepSteps", SteepSteps},
};

// Per kind: most series short, every kLongEvery-th one up to kLongest points, where the spacing
// of listed points and the data-set-like changes every few hundred points come into play.
constexpr int kSeriesPerKind = 300;
constexpr int kLongEvery = 17;
constexpr int kShortest = 120;
constexpr int kLongest = 3000;
constexpr std::uint64_t kSeed = 20261211;
// Mismatches reported in full per kind and command; the others are only counted.
constexpr int kReported = 3;

analysis::Loader LoaderOf(const Values& values) {
  return [&values](std::int32_t& count, std::span<double> out) {
    count = static_cast<std::int32_t>(values.size() - 1);
    std::copy(values.begin() + 1, values.end(), out.begin() + 1);
  };
}

struct Outcome {
  std::vector<std::string> lines;
  std::optional<std::string> error;  // the text of the rt::Error that stopped the command
  std::size_t messages = 0;
  std::int32_t nb_points2 = 0;
};

// A command as the test runs it, with the decimal point.
using Command = void (*)(analysis::Store& store, const analysis::Loader& loader,
                         analysis::Memo& memo, analysis::MessageBox& message_box);

struct CommandPair {
  const char* name;
  Command fast;
  Command exact;
};

const CommandPair kCommands[] = {
    {"Traitement",
     [](analysis::Store& store, const analysis::Loader& loader, analysis::Memo& memo,
        analysis::MessageBox&) { analysis::Traitement(store, loader, '.', memo); },
     [](analysis::Store& store, const analysis::Loader& loader, analysis::Memo& memo,
        analysis::MessageBox&) { exact_reference::Traitement(store, loader, '.', memo); }},
    {"Traitement 2",
     [](analysis::Store& store, const analysis::Loader& loader, analysis::Memo& memo,
        analysis::MessageBox& box) { analysis::Traitement2(store, loader, '.', memo, box); },
     [](analysis::Store& store, const analysis::Loader& loader, analysis::Memo& memo,
        analysis::MessageBox& box) {
       exact_reference::Traitement2(store, loader, '.', memo, box);
     }},
};

Outcome Observe(Command command, analysis::Store& store, const analysis::Loader& loader) {
  fixtures::FakeMemo memo;
  memo.lines = {"typed by the user"};
  fixtures::FakeMessageBox box;
  Outcome outcome;
  try {
    command(store, loader, memo, box);
  } catch (const rt::Error& e) {
    outcome.error = e.text();
  }
  outcome.lines = std::move(memo.lines);
  outcome.messages = box.shown.size();
  outcome.nb_points2 = store.NbPoints2;
  return outcome;
}

std::string Quoted(const std::vector<std::string>& lines, std::size_t i) {
  return i < lines.size() ? '"' + lines[i] + '"' : "no line";
}

std::string ErrorText(const std::optional<std::string>& error) {
  return error ? '"' + *error + '"' : "none";
}

// The first difference between the two outcomes in words; empty when they agree.
std::string FirstDifference(const Outcome& fast, const Outcome& exact) {
  std::ostringstream out;
  const std::size_t lines = std::max(fast.lines.size(), exact.lines.size());
  for (std::size_t i = 0; i < lines; ++i) {
    if (i >= fast.lines.size() || i >= exact.lines.size() || fast.lines[i] != exact.lines[i]) {
      out << "memo line " << i + 1 << ": " << Quoted(fast.lines, i) << " instead of "
          << Quoted(exact.lines, i);
      return out.str();
    }
  }
  if (fast.error != exact.error) {
    out << "error " << ErrorText(fast.error) << " instead of " << ErrorText(exact.error);
  } else if (fast.messages != exact.messages) {
    out << fast.messages << " messages instead of " << exact.messages;
  } else if (fast.nb_points2 != exact.nb_points2) {
    out << "NbPoints2 " << fast.nb_points2 << " instead of " << exact.nb_points2;
  }
  return out.str();
}

class FastPathTest : public ::testing::TestWithParam<Kind> {};

TEST_P(FastPathTest, BothCommandsAgreeWithTheExactReference) {
  const Kind& kind = GetParam();
  // The command writes its results file in here.
  const fixtures::TempDir dir;
  // Each side keeps its store from series to series, as the program does. Neither command reads
  // past the series, and both sides load the same series in the same order, so what earlier
  // series left in the stores cannot tell them apart.
  const auto fast = fixtures::NewStore();
  const auto exact = fixtures::NewStore();
  // Each kind draws from a seed of its own, so that its series stay the same when kinds are
  // added.
  const auto place = std::find_if(std::begin(kKinds), std::end(kKinds),
                                  [&](const Kind& k) { return k.name == kind.name; });
  Draw draw(kSeed + static_cast<std::uint64_t>(place - std::begin(kKinds)));
  int mismatches[std::size(kCommands)] = {};

  for (int series = 0; series < kSeriesPerKind; ++series) {
    const int n = draw.Whole(1, series % kLongEvery == 0 ? kLongest : kShortest);
    const Values values = kind.make(draw, n);
    const analysis::Loader loader = LoaderOf(values);
    for (std::size_t c = 0; c < std::size(kCommands); ++c) {
      const Outcome got = Observe(kCommands[c].fast, *fast, loader);
      const Outcome expected = Observe(kCommands[c].exact, *exact, loader);
      const std::string difference = FirstDifference(got, expected);
      if (!difference.empty() && ++mismatches[c] <= kReported) {
        ADD_FAILURE() << kCommands[c].name << " on " << kind.name << " series " << series << " of "
                      << n << " points: " << difference;
      }
    }
  }
  for (std::size_t c = 0; c < std::size(kCommands); ++c) {
    if (mismatches[c] > kReported) {
      ADD_FAILURE() << "and " << mismatches[c] - kReported << " more " << kind.name
                    << " series where " << kCommands[c].name << " differs";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(RandomSeries, FastPathTest, ::testing::ValuesIn(kKinds),
                         [](const ::testing::TestParamInfo<Kind>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
