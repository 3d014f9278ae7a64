#include "analysis/listing.h"

#include <charconv>

namespace analysis {

std::string_view PointLine::operator()(std::int32_t label, double value) {
  buffer_[0] = ' ';
  return Finish(std::to_chars(buffer_ + 1, buffer_ + 1 + rt::kNumberTextMax, label).ptr, value);
}

std::string_view PointLine::operator()(double label, double value) {
  buffer_[0] = ' ';
  return Finish(rt::NumberText(label, separator_, buffer_ + 1), value);
}

std::string_view PointLine::Finish(char* label_end, double value) {
  *label_end = '\t';
  char* end = rt::NumberText(value, separator_, label_end + 1);
  return std::string_view(buffer_, static_cast<std::size_t>(end - buffer_));
}

}  // namespace analysis
