#include "runtime/errors.h"

#include "runtime/extended.h"
#include "runtime/io_error.h"

namespace rt {
namespace {

const char* FloatText(FloatFault fault) {
  switch (fault) {
    case FloatFault::InvalidOperation:
      return "Opération en virgule flottante incorrecte";
    case FloatFault::DivisionByZero:
      return "Division par zéro en virgule flottante";
    case FloatFault::Overflow:
      return "Débordement en virgule flottante";
  }
  return "";
}

}  // namespace

FloatError::FloatError(FloatFault fault) : Error(FloatText(fault)), fault_(fault) {}

IoError::IoError(int code) : Error(IoErrorText(code)), code_(code) {}

void RaiseFloat(FloatFault fault) { throw FloatError(fault); }

}  // namespace rt
