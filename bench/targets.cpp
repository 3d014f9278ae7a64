#include "bench/targets.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

namespace bench {
namespace {

// A case is held either to a fixed time or to a multiple of another case of the same run.
struct Target {
  const char* name;
  double limit_ns;
  const char* reference;
  double ratio;
};

constexpr Target kTargets[] = {
    {"LoadSeries/Jeu1", 40e3, nullptr, 0},
    {"Traitement/Jeu1", 200e3, nullptr, 0},
    {"Traitement/Jeu2", 500e3, nullptr, 0},
    {"Traitement2/Jeu1", 150e3, nullptr, 0},
    {"NumberText", 100, nullptr, 0},
    {"WindowTraitement/Jeu2", 0, "MemoSetPlainText/Jeu2", 1.3},
};

std::string Duration(double ns) {
  char text[32];
  if (ns < 1e3) {
    std::snprintf(text, sizeof text, "%.1f ns", ns);
  } else if (ns < 1e6) {
    std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
  } else {
    std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
  }
  return text;
}

double ToNanoseconds(const benchmark::BenchmarkReporter::Run& run) {
  return run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e9;
}

}  // namespace

bool TargetReporter::ReportContext(const Context& context) {
  inner_->SetOutputStream(&GetOutputStream());
  inner_->SetErrorStream(&GetErrorStream());
  return inner_->ReportContext(context);
}

void TargetReporter::ReportRuns(const std::vector<Run>& runs) {
  inner_->ReportRuns(runs);
  for (const Run& run : runs) {
    Figure& figure = figures_[run.run_name.function_name];
    if (run.error_occurred) {
      figure.failed = true;
    } else if (run.run_type == Run::RT_Aggregate) {
      if (run.aggregate_name == "median") {
        figure.median_ns = ToNanoseconds(run);
        figure.from_median = true;
        figure.repetitions = static_cast<int>(run.repetitions);
      }
    } else if (!figure.from_median) {
      figure.sum_ns += ToNanoseconds(run);
      ++figure.repetitions;
    }
  }
}

void TargetReporter::Finalize() {
  inner_->Finalize();
  PrintTable(table_to_stderr_ ? GetErrorStream() : GetOutputStream());
}

double TargetReporter::Nanoseconds(const std::string& name) const {
  const auto found = figures_.find(name);
  if (found == figures_.end() || found->second.failed || found->second.repetitions == 0) return -1;
  const Figure& figure = found->second;
  return figure.from_median ? figure.median_ns : figure.sum_ns / figure.repetitions;
}

void TargetReporter::PrintTable(std::ostream& out) const {
  int repetitions = 0;
  bool medians = false;
  for (const auto& [name, figure] : figures_) {
    repetitions = std::max(repetitions, figure.repetitions);
    medians = medians || figure.from_median;
  }
  char line[160];
  out << "\nTargets (real time per iteration, "
      << (medians ? "median of " + std::to_string(repetitions) + " repetitions"
                  : std::string("a single repetition: pass --benchmark_repetitions for medians"))
      << "):\n";
  for (const Target& target : kTargets) {
    const double ns = Nanoseconds(target.name);
    std::string limit;
    double limit_ns = target.limit_ns;
    if (target.reference != nullptr) {
      char text[64];
      std::snprintf(text, sizeof text, "<= %.1f x %s", target.ratio, target.reference);
      limit = text;
      const double reference_ns = Nanoseconds(target.reference);
      limit_ns = reference_ns < 0 ? -1 : target.ratio * reference_ns;
    } else {
      limit = "<= " + Duration(target.limit_ns);
    }
    std::string verdict;
    if (ns < 0 || limit_ns < 0) {
      verdict = "not run";
    } else if (ns <= limit_ns) {
      verdict = "met";
    } else {
      verdict = "MISSED";
    }
    if (target.reference != nullptr && ns >= 0 && limit_ns >= 0) {
      char ratio[32];
      std::snprintf(ratio, sizeof ratio, " (%.2f x)", ns / (limit_ns / target.ratio));
      verdict += ratio;
    }
    std::snprintf(line, sizeof line, "  %-22s %10s   %-36s %s\n", target.name,
                  ns < 0 ? "-" : Duration(ns).c_str(), limit.c_str(), verdict.c_str());
    out << line;
  }
  out.flush();
}

}  // namespace bench
