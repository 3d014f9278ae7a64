#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/commands.h"
#include "analysis/store.h"
#include "bench/cases.h"
#include "bench/lines_memo.h"
#include "bench/scratch_dir.h"
#include "runtime/number_text.h"

namespace bench {
namespace {

constexpr char kSeparator = '.';

struct DataSet {
  const char* name;
  std::int32_t item_index;
  std::int32_t count;
};

constexpr DataSet kJeu1{"Jeu1", 0, 27686};
constexpr DataSet kJeu2{"Jeu2", 1, 13127};

// A listing as the published one gives it: its length, and the lines it begins and ends with.
struct Listing {
  std::size_t lines;
  std::vector<std::string_view> first;
  std::vector<std::string_view> last;
};

const Listing kTraitementJeu1{7,
                              {"Point\tX", " 1\t0", " 1777\t-1511.223", " 4110\t-2634.34",
                               " 13342\t768.748", " 24489\t-12552.817", " 27686\t-7864.767"},
                              {}};
const Listing kTraitementJeu2{
    1759,
    {"Point\tX", " 1\t0", " 4\t-0.527", " 10\t-2.11", " 16\t-3.692", " 22\t-5.274"},
    {" 13116\t404.46", " 13122\t405.771", " 13127\t406.864"}};
const Listing kTraitement2Jeu1{
    8,
    {"Point\tX", " 1\t0", " 1777\t-1511.223", " 4111\t-2631.693", " 13342\t768.748",
     " 24490\t-12554.861", " 27686\t-7864.767", " Fin des segments  --------------- "},
    {}};
const Listing kTraitement2Jeu2{
    8,
    {"Point\tX", " 1\t0", " 667\t-174.268", " 6807\t2728.784", " 9375\t-272.328", " 9579\t-368.48",
     " 13127\t406.864", " Fin des segments  --------------- "},
    {}};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Check(const std::string& what, const LinesMemo& memo, const Listing& expected) {
  if (memo.size() != expected.lines) {
    Fail(what + ": " + std::to_string(memo.size()) + " lines instead of " +
         std::to_string(expected.lines));
  }
  std::size_t i = 0;
  for (std::string_view line : expected.first) {
    if (memo.line(i) != line) Fail(what + ": line " + std::to_string(i + 1) + " differs");
    ++i;
  }
  i = memo.size() - expected.last.size();
  for (std::string_view line : expected.last) {
    if (memo.line(i) != line) Fail(what + ": line " + std::to_string(i + 1) + " differs");
    ++i;
  }
}

// The results file holds the memo's lines, each ended by CR LF.
void CheckFile(const std::string& what, const std::string& path, const LinesMemo& memo) {
  std::string expected;
  for (std::size_t i = 0; i < memo.size(); ++i) {
    expected += memo.line(i);
    expected += "\r\n";
  }
  if (ReadFile(path) != expected) Fail(what + ": the results file differs from the memo");
}

void LoadSeriesCase(benchmark::State& state, DataSet set) {
  const auto store = std::make_unique<analysis::Store>();
  analysis::LoadSeries(*store, set.item_index);
  if (store->NbPoints != set.count) Fail(std::string("LoadSeries: wrong count for ") + set.name);
  for (auto _ : state) {
    analysis::LoadSeries(*store, set.item_index);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * set.count);
}

void TraitementCase(benchmark::State& state, DataSet set, const Listing& expected,
                    std::size_t file_bytes) {
  const ScratchDir dir;
  const std::string path = dir.File(analysis::kResultsFile);
  const auto store = std::make_unique<analysis::Store>();
  LinesMemo memo;
  const std::string what = std::string("Traitement/") + set.name;

  analysis::Traitement(*store, analysis::DataSetLoader(set.item_index), kSeparator, memo,
                       path.c_str());
  Check(what, memo, expected);
  CheckFile(what, path, memo);
  if (file_bytes != 0 && ReadFile(path).size() != file_bytes) {
    Fail(what + ": the results file is not " + std::to_string(file_bytes) + " bytes long");
  }

  for (auto _ : state) {
    analysis::Traitement(*store, analysis::DataSetLoader(set.item_index), kSeparator, memo,
                         path.c_str());
    state.PauseTiming();
    WaitForDisk(path);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * set.count);
}

void Traitement2Case(benchmark::State& state, DataSet set, const Listing& expected) {
  const auto store = std::make_unique<analysis::Store>();
  LinesMemo memo;
  CountingMessageBox message_box;
  const std::string what = std::string("Traitement2/") + set.name;

  analysis::Traitement2(*store, analysis::DataSetLoader(set.item_index), kSeparator, memo,
                        message_box);
  Check(what, memo, expected);
  if (message_box.shown() != 0) Fail(what + ": a message was shown");

  for (auto _ : state) {
    analysis::Traitement2(*store, analysis::DataSetLoader(set.item_index), kSeparator, memo,
                          message_box);
  }
  state.SetItemsProcessed(state.iterations() * set.count);
}

// Values like those the listings print: mostly three-decimal values, some whole numbers (the
// labels), and a few that need all 15 digits or more. 32 of them, so that the index wraps with a
// mask.
constexpr std::array<double, 32> kNumberMix{-1511.223,
                                            -2634.34,
                                            768.748,
                                            -12552.817,
                                            -7864.767,
                                            -0.527,
                                            -2.11,
                                            -3.692,
                                            -5.274,
                                            404.46,
                                            405.771,
                                            406.864,
                                            -174.268,
                                            2728.784,
                                            -272.328,
                                            -368.48,
                                            0.294,
                                            -2631.693,
                                            12.5,
                                            -12554.861,
                                            1,
                                            4,
                                            10,
                                            1777,
                                            4110,
                                            13127,
                                            13342,
                                            27686,
                                            2.0 / 3,
                                            1.0 / 3,
                                            -3.795066413662239,
                                            -0.4892367906066537};

// One value per iteration, so that the time shown is the time per value.
void NumberTextCase(benchmark::State& state) {
  char buffer[rt::kNumberTextMax];
  std::size_t i = 0;
  for (auto _ : state) {
    char* end = rt::NumberText(kNumberMix[i], kSeparator, buffer);
    benchmark::DoNotOptimize(end);
    benchmark::ClobberMemory();
    i = (i + 1) % kNumberMix.size();
  }
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

void RegisterCoreCases() {
  benchmark::RegisterBenchmark("LoadSeries/Jeu1", LoadSeriesCase, kJeu1);
  benchmark::RegisterBenchmark("LoadSeries/Jeu2", LoadSeriesCase, kJeu2);
  benchmark::RegisterBenchmark("Traitement/Jeu1", TraitementCase, kJeu1, kTraitementJeu1, 101);
  benchmark::RegisterBenchmark("Traitement/Jeu2", TraitementCase, kJeu2, kTraitementJeu2, 0);
  benchmark::RegisterBenchmark("Traitement2/Jeu1", Traitement2Case, kJeu1, kTraitement2Jeu1);
  benchmark::RegisterBenchmark("Traitement2/Jeu2", Traitement2Case, kJeu2, kTraitement2Jeu2);
  benchmark::RegisterBenchmark("NumberText", NumberTextCase);
}

}  // namespace bench
