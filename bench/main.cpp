#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string_view>
#include <vector>

#include "bench/cases.h"
#include "bench/targets.h"

#ifdef REGLIN_BENCH_WINDOW
#include <QApplication>
#endif

int main(int argc, char** argv) {
#ifdef REGLIN_BENCH_WINDOW
  // The window cases draw into memory: no display is needed, and none is disturbed.
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
#endif

  // Medians by default, since the machine is shared and single runs are noisy. The command line
  // comes after these defaults, so that its own flags win.
  char repetitions[] = "--benchmark_repetitions=10";
  char aggregates[] = "--benchmark_report_aggregates_only=true";
  std::vector<char*> args{argv[0], repetitions, aggregates};
  bool console = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--benchmark_format=") && arg != "--benchmark_format=console") {
      console = false;
    }
    args.push_back(argv[i]);
  }
  int count = static_cast<int>(args.size());
  args.push_back(nullptr);

  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  bench::RegisterCoreCases();
#ifdef REGLIN_BENCH_WINDOW
  bench::RegisterWindowCases();
#endif
  bench::TargetReporter reporter(benchmark::CreateDefaultDisplayReporter(), !console);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
