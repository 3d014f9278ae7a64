#pragma once

#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

// The targets the figures are held to, and a reporter that shows the run as usual and then, for
// each target, the median it got and whether it is met.
namespace bench {

// Passes everything to the reporter the command line chose, keeping the real time per iteration
// of every case: the median when the run has repetitions, the mean of the repetitions otherwise.
class TargetReporter final : public benchmark::BenchmarkReporter {
 public:
  // inner is owned by the library; table_to_stderr keeps a JSON or CSV output clean.
  TargetReporter(benchmark::BenchmarkReporter* inner, bool table_to_stderr)
      : inner_(inner), table_to_stderr_(table_to_stderr) {}

  bool ReportContext(const Context& context) override;
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  struct Figure {
    double median_ns = 0;
    bool from_median = false;
    double sum_ns = 0;
    int repetitions = 0;
    bool failed = false;
  };

  void PrintTable(std::ostream& out) const;
  // The figure of a case in nanoseconds, or a negative value when it did not run.
  double Nanoseconds(const std::string& name) const;

  benchmark::BenchmarkReporter* inner_;
  bool table_to_stderr_;
  std::map<std::string, Figure> figures_;
};

}  // namespace bench
