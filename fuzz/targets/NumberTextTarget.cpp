#include <cmath>
#include <string>
#include <string_view>

#include "FuzzTargets.h"
#include "io/Json.h"
#include "model/TextFormat.h"
#include "model/Validation.h"

namespace quelmora::fuzz {

int FuzzNumberText(const uint8_t* Data, size_t Size) {
  const std::string_view text(reinterpret_cast<const char*>(Data), Size);
  constexpr double kUntouched = 123.25;
  double value = kUntouched;
  if (!TryParseNumber(text, value)) {
    if (value != kUntouched) throw TPropertyViolation("a refused text changed the value");
    return 0;
  }
  if (!std::isfinite(value)) throw TPropertyViolation("a number that is not finite was taken");

  // The shortest exact text and the files' 15-digit text both read back, with
  // either decimal separator.
  std::string exact = Format("%.17g", value);
  double again = 0;
  if (!TryParseNumber(exact, again) || again != value)
    throw TPropertyViolation("the exact text of a number does not read back");
  for (char& c : exact)
    if (c == '.') c = ',';
  if (!TryParseNumber(exact, again) || again != value)
    throw TPropertyViolation("a decimal comma reads differently");
  // Rounding to 15 digits may carry the very largest doubles past the range.
  if (std::fabs(value) > 1e300) return 0;
  const std::string stored = FormatJsonNumber(value);
  if (!TryParseNumber(stored, again) ||
      std::fabs(again - value) > std::fabs(value) * 1e-14 + 5e-324)
    throw TPropertyViolation("a stored number does not read back");
  return 0;
}

}  // namespace quelmora::fuzz
