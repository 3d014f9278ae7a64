#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/number_text.h"

// The lines of a listing: the header "Point\tX", and point lines " <label>\t<value>" where the
// value is the number text of the point's value.
namespace analysis {

inline constexpr std::string_view kListingHeader = "Point\tX";

// Builds one point line at a time in a buffer of its own, without allocating. The returned text
// stays valid until the next call.
class PointLine {
 public:
  explicit PointLine(char decimal_separator) : separator_(decimal_separator) {}

  // The label as the decimal text of a point number.
  std::string_view operator()(std::int32_t label, double value);
  // The label as the number text of a whole number held as a double (a rank plus 1).
  std::string_view operator()(double label, double value);

 private:
  std::string_view Finish(char* label_end, double value);

  char separator_;
  char buffer_[2 * rt::kNumberTextMax + 2];
};

}  // namespace analysis
