#include "BoxStrengthCommand.h"

#include <charconv>
#include <cmath>
#include <ostream>
#include <string_view>
#include <utility>

#include "calc/BoxStrength.h"
#include "io/Json.h"
#include "io/Utf8File.h"
#include "model/AppStrings.h"
#include "model/Errors.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

constexpr double kMaxDaysUnderLoad = 3650;

// A plain decimal number with a point, nothing before or after it.
std::optional<double> ParseNumber(std::string_view text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

double Positive(const std::string& option, const std::string& text) {
  const std::optional<double> v = ParseNumber(text);
  if (!v || !(*v > 0))
    throw Exception(TErrorKind::InvalidInput, SPositiveNumberExpected, {option, text});
  return *v;
}

double InRange(const std::string& option, const std::string& text, double low, double high) {
  const std::optional<double> v = ParseNumber(text);
  if (!v || *v < low || *v > high)
    throw Exception(TErrorKind::InvalidInput, SNumberInRangeExpected, {option, low, high, text});
  return *v;
}

// LxWxH in mm, each positive.
void ParseBoxSize(const std::string& text, double size[3]) {
  std::string_view rest = text;
  for (int i = 0; i < 3; ++i) {
    const size_t cut = i < 2 ? rest.find_first_of("xX") : std::string_view::npos;
    if (i < 2 && cut == std::string_view::npos)
      throw Exception(TErrorKind::InvalidInput, SBoxSizeInvalid, {text});
    const std::optional<double> v = ParseNumber(rest.substr(0, cut));
    if (!v || !(*v > 0)) throw Exception(TErrorKind::InvalidInput, SBoxSizeInvalid, {text});
    size[i] = *v;
    if (i < 2) rest.remove_prefix(cut + 1);
  }
}

}  // namespace

bool ParseBoxStrengthOption(const std::vector<std::string>& Args, size_t& I,
                            TBoxStrengthArgs& Into) {
  const std::pair<const char*, std::optional<std::string>*> options[] = {
      {"--box-strength", &Into.Box},  {"--ect", &Into.Ect},   {"--thickness", &Into.Thickness},
      {"--humidity", &Into.Humidity}, {"--days", &Into.Days}, {"--load-kg", &Into.LoadKg}};
  for (const auto& [name, slot] : options) {
    if (Args[I] != name) continue;
    if (I + 1 >= Args.size()) throw Exception(TErrorKind::Usage, Args[I] + " needs a value");
    if (*slot) throw Exception(TErrorKind::Usage, Args[I] + " given twice");
    *slot = Args[++I];
    return true;
  }
  return false;
}

std::string RunBoxStrength(const TBoxStrengthArgs& Args,
                           const std::optional<std::string>& JsonFile) {
  double size[3] = {};
  ParseBoxSize(*Args.Box, size);
  if (!Args.Ect || !Args.Thickness)
    throw Exception(TErrorKind::InvalidInput, SBoxStrengthNeedsBoard);
  TBoxStrengthInput in;
  in.LengthMM = size[0];
  in.WidthMM = size[1];
  in.EdgeCrushKNPerM = Positive("--ect", *Args.Ect);
  in.BoardThicknessMM = Positive("--thickness", *Args.Thickness);
  if (Args.Humidity) in.Conditions.HumidityPercent = InRange("--humidity", *Args.Humidity, 0, 100);
  if (Args.Days) in.Conditions.DaysUnderLoad = InRange("--days", *Args.Days, 0, kMaxDaysUnderLoad);
  const bool loaded = Args.LoadKg.has_value();
  const double loadKG = loaded ? Positive("--load-kg", *Args.LoadKg) : 0;
  in.LoadN = loadKG * kStandardGravity;

  const TBoxStrength s = EstimateBoxStrength(in);
  if (!(s.McKeeN > 0))
    throw Exception(TErrorKind::InvalidInput, SBoardLeavesNoInside, {in.BoardThicknessMM});

  if (JsonFile) {
    TJsonValue root = JsonObject();
    root.Add("McKeeN", JsonNumber(s.McKeeN));
    root.Add("ReducedN", JsonNumber(s.ReducedN));
    if (loaded) {
      root.Add("LoadN", JsonNumber(s.LoadN));
      root.Add("SafetyFactor", JsonNumber(s.SafetyFactor));
    }
    WriteUtf8TextFile(*JsonFile, WriteJson(root));
  }

  std::string text = Format("Box %g×%g×%g mm, board %g mm, edge crush %g kN/m\n", size[0], size[1],
                            size[2], in.BoardThicknessMM, in.EdgeCrushKNPerM);
  text += Format("McKee estimate: %.1f N\n", s.McKeeN);
  text += Format("Reduced strength: %.1f N (humidity %g %% x%.3f, %g days x%.3f)\n", s.ReducedN,
                 in.Conditions.HumidityPercent, s.HumidityFactor, in.Conditions.DaysUnderLoad,
                 s.TimeFactor);
  if (loaded) {
    text += Format("Load: %.1f N (%g kg)\n", s.LoadN, loadKG);
    text += Format("Safety factor: %.2f\n", s.SafetyFactor);
  }
  return text;
}

}  // namespace quelmora
