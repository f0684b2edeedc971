#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quelmora {

// The box strength calculator's options as typed; their values are checked
// when it runs, so that bad numbers are input errors, not usage errors.
struct TBoxStrengthArgs {
  std::optional<std::string> Box;  // LxWxH, mm
  std::optional<std::string> Ect, Thickness, Humidity, Days, LoadKg;

  bool Requested() const { return Box.has_value(); }
  bool AnyGiven() const { return Box || Ect || Thickness || Humidity || Days || LoadKg; }
};

// Takes Args[I] (and its value, advancing I) when it is one of the
// calculator's options; false for any other option. Raises a usage error for
// a missing value or an option given twice.
bool ParseBoxStrengthOption(const std::vector<std::string>& Args, size_t& I,
                            TBoxStrengthArgs& Into);

// Writes the estimate, the reduced strength and, with a load, the load and
// the safety factor to JsonFile when given, and returns them as text lines to
// print once the file is in place. Raises TErrorKind::InvalidInput for values
// it cannot take.
std::string RunBoxStrength(const TBoxStrengthArgs& Args,
                           const std::optional<std::string>& JsonFile);

}  // namespace quelmora
