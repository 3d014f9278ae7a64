// Both commands on arbitrary small series: they never crash and never step outside an array or
// past the series, and each ends either with its listing or with one of the three floating-point
// errors. Any other exception is a finding.
//
// The sanitizers and the library's bounds checks catch a step outside an array. A read past the
// series stays inside the store's arrays, where nothing would notice it, so every input runs
// twice: once on a store that is zero past the series, as the program's is at start, and once on
// a store whose every element past the series (and the value just past it, which the loader
// writes) is a not-a-number. Both runs must give the same lines, errors and file.
//
// Input: a byte for how the values are made, a byte for the separator, a byte for the count,
// then the bytes the values are made of.

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/commands.h"
#include "analysis/store.h"
#include "analysis/ui.h"
#include "runtime/errors.h"

namespace {

class Memo : public analysis::Memo {
 public:
  void Clear() override { lines.clear(); }
  void Add(std::string_view line) override { lines.emplace_back(line); }
  std::vector<std::string> lines;
};

class MessageBox : public analysis::MessageBox {
 public:
  void Show(std::string_view text) override { shown.emplace_back(text); }
  std::vector<std::string> shown;
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

constexpr std::size_t kMaxValues = 40;
constexpr double kPoison = std::numeric_limits<double>::quiet_NaN();

// The ways of making values from the input, chosen to reach the faults: raw doubles reach
// infinities, not-a-numbers and the extremes; small whole numbers and running totals of small
// steps give equal neighbours, agreeing chords and corners; multiples of the smallest double give
// steps whose slopes overflow.
std::vector<double> MakeValues(std::uint8_t mode, const std::uint8_t* data, std::size_t size) {
  std::vector<double> values;
  switch (mode % 4) {
    case 0:
      for (std::size_t i = 0; i + 8 <= size && values.size() < kMaxValues; i += 8) {
        double v;
        std::memcpy(&v, data + i, sizeof v);
        values.push_back(v);
      }
      break;
    case 1:
      for (std::size_t i = 0; i < size && values.size() < kMaxValues; ++i) {
        values.push_back(static_cast<std::int8_t>(data[i]) / 4.0);
      }
      break;
    case 2: {
      double total = 0;
      for (std::size_t i = 0; i < size && values.size() < kMaxValues; ++i) {
        total += static_cast<std::int8_t>(data[i]) / 8.0;
        values.push_back(total);
      }
      break;
    }
    case 3:
      for (std::size_t i = 0; i < size && values.size() < kMaxValues; ++i) {
        values.push_back(static_cast<std::int8_t>(data[i]) * 4.9406564584124654e-324);
      }
      break;
  }
  if (values.empty()) values.push_back(0);
  return values;
}

std::string ReadFile(const char* path) {
  std::string text;
  const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buf[4096];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
  ::close(fd);
  return text;
}

// Each process writes its results file in a directory of its own, so that fuzzers running side
// by side never meet on its lock. A file system in memory keeps the rewrite of every input cheap:
// on a disk, emptying the file costs milliseconds.
std::string results_dir;
std::string results_path;

void RemoveResults() {
  ::unlink(results_path.c_str());
  ::rmdir(results_dir.c_str());
}

// What both commands left, one after the other on the same store.
struct Outcome {
  std::vector<std::string> memo1;
  std::string error1;
  std::string file;
  std::vector<std::string> memo2;
  std::string error2;
  std::vector<std::string> shown;
  bool operator==(const Outcome&) const = default;
};

Outcome Run(analysis::Store& store, const analysis::Loader& loader, char separator) {
  Outcome out;
  Memo memo;
  memo.lines = {"earlier"};
  try {
    analysis::Traitement(store, loader, separator, memo, results_path.c_str());
    if (memo.lines.size() < 3 || memo.lines.front() != "Point\tX") Fail("Traitement: no listing");
    std::string expected;
    for (const std::string& line : memo.lines) expected += line + "\r\n";
    out.file = ReadFile(results_path.c_str());
    if (out.file != expected) Fail("Traitement: file and memo differ");
  } catch (const rt::FloatError& error) {
    // A fault of the series: the command stops in its listing, after the first two lines.
    if (memo.lines.size() < 2 || memo.lines.front() != "Point\tX") {
      Fail("Traitement: stopped before its first lines");
    }
    out.error1 = error.text();
  }
  out.memo1 = std::move(memo.lines);

  MessageBox box;
  memo.lines = {"earlier"};
  try {
    analysis::Traitement2(store, loader, separator, memo, box);
    if (!box.shown.empty()) {
      if (box.shown != std::vector<std::string>{"Impossible de trouver des points alignés"} ||
          memo.lines != std::vector<std::string>{"earlier", "Pas de segments ..."}) {
        Fail("Traitement 2: the failed search");
      }
    } else if (memo.lines.size() < 4 || memo.lines.front() != "Point\tX" ||
               memo.lines.back() != " Fin des segments  --------------- ") {
      Fail("Traitement 2: no listing");
    }
  } catch (const rt::FloatError& error) {
    // Either in the search, before the memo is touched, or in the listing.
    if (!box.shown.empty()) Fail("Traitement 2: an error after the failed search");
    if (memo.lines != std::vector<std::string>{"earlier"} &&
        (memo.lines.size() < 2 || memo.lines.front() != "Point\tX")) {
      Fail("Traitement 2: stopped in neither the search nor the listing");
    }
    out.error2 = error.text();
  }
  out.memo2 = std::move(memo.lines);
  out.shown = std::move(box.shown);
  return out;
}

// Sets the first `count` elements of every array of the store to `value`, except the value of
// point 1, which no loader writes and which is 0 from the program's start.
void Fill(analysis::Store& store, std::size_t count, double value) {
  for (auto* array : {&store.TabX, &store.TabY, &store.TabX2, &store.TabY2}) {
    std::fill_n(array->begin(), count, value);
  }
  store.TabX[0] = 0;
  store.NbPoints = 0;
  store.NbPoints2 = 0;
}

std::unique_ptr<analysis::Store> clean;
std::unique_ptr<analysis::Store> poisoned;
// How many leading elements of each array the last input may have written.
std::size_t written = analysis::MaxPoints;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const char* base = std::getenv("TMPDIR");
  if (base == nullptr || *base == 0) base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(base) + "/reglin-fuzz-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) Fail("no temporary directory");
  results_dir = pattern;
  results_path = pattern + "/Resultats.txt";
  std::atexit(RemoveResults);
  clean = std::make_unique<analysis::Store>();
  poisoned = std::make_unique<analysis::Store>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t mode = data[0];
  const char separator = (data[1] & 1) ? ',' : '.';
  const std::vector<double> values = MakeValues(mode, data + 3, size - 3);
  // Point p + 1 gets value p, so the values make a series of up to as many points, the last of
  // them being the value just past it.
  const std::int32_t count = 1 + static_cast<std::int32_t>(data[2] % values.size());

  // Every input starts from the same two stores, so that a finding replays from its input alone.
  Fill(*clean, written, 0);
  Fill(*poisoned, written, kPoison);
  written = static_cast<std::size_t>(count) + 1;

  const auto loader_with = [&](double past) {
    return [&values, count, past](std::int32_t& n, std::span<double> out) {
      n = count;
      for (std::int32_t k = 1; k < count; ++k) out[k] = values[k - 1];
      out[count] = past;
    };
  };
  const Outcome a = Run(*clean, loader_with(values[count - 1]), separator);
  const Outcome b = Run(*poisoned, loader_with(kPoison), separator);
  if (!(a == b)) Fail("a command read past the series");
  return 0;
}
