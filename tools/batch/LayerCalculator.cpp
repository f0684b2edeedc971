#include "LayerCalculator.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <system_error>

#include "calc/BestLayer.h"
#include "calc/Tolerances.h"
#include "io/Json.h"
#include "io/Utf8File.h"
#include "model/Errors.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

struct TLayerInput {
  double PalletL = 0, PalletW = 0, BoxL = 0, BoxW = 0, Overhang = 0;
  std::optional<std::string> Json;
};

std::runtime_error InputError(const std::string& message) {
  return std::runtime_error(message);
}

// A length in mm: a finite decimal number, nothing after it.
double Length(const std::string& text, const std::string& what, bool zeroAllowed) {
  double v = 0;
  const char* end = text.data() + text.size();
  const auto [stop, ec] = std::from_chars(text.data(), end, v);
  if (text.empty() || ec != std::errc() || stop != end || !std::isfinite(v))
    throw InputError(what + " is not a number: \"" + text + "\"");
  if (v < 0 || (v == 0 && !zeroAllowed))
    throw InputError(
        what + Format(" must be %s zero: %s", zeroAllowed ? "at least" : "above", text.c_str()));
  return v;
}

// "1200x800" into its two sides.
void Size(const std::string& text, const std::string& what, double& a, double& b) {
  const size_t x = text.find('x');
  if (x == std::string::npos)
    throw InputError(what + " must be written LENGTHxWIDTH in mm: \"" + text + "\"");
  a = Length(text.substr(0, x), what + " length", false);
  b = Length(text.substr(x + 1), what + " width", false);
}

TLayerInput ParseLayer(const std::vector<std::string>& Args) {
  TLayerInput in;
  std::vector<std::string> sizes;
  bool overhang = false;
  for (size_t i = 0; i < Args.size(); ++i) {
    const std::string& a = Args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= Args.size()) throw InputError(a + " needs a value");
      return Args[++i];
    };
    if (a == "--layer") {
      sizes.push_back(value());
      if (i + 1 < Args.size() && Args[i + 1].rfind("--", 0) != 0) sizes.push_back(Args[++i]);
    } else if (a == "--overhang" && !overhang) {
      in.Overhang = Length(value(), "The overhang", true);
      overhang = true;
    } else if (a == "--json" && !in.Json) {
      in.Json = value();
    } else {
      throw InputError(
          "--layer takes a pallet and a box size, --overhang MM and --json FILE, "
          "not " +
          a);
    }
  }
  if (sizes.size() != 2) throw InputError("--layer needs the pallet and the box: 1200x800 400x300");
  Size(sizes[0], "The pallet", in.PalletL, in.PalletW);
  Size(sizes[1], "The box", in.BoxL, in.BoxW);
  const double roomL = in.PalletL + 2 * in.Overhang, roomW = in.PalletW + 2 * in.Overhang;
  const bool fits =
      (in.BoxL <= roomL + kLengthToleranceMM && in.BoxW <= roomW + kLengthToleranceMM) ||
      (in.BoxW <= roomL + kLengthToleranceMM && in.BoxL <= roomW + kLengthToleranceMM);
  if (!fits) throw InputError("The box " + sizes[1] + " is larger than the pallet " + sizes[0]);
  return in;
}

TJsonValue LayerJson(const TPalletLayer& Layer) {
  TJsonValue json = JsonObject();
  json.Add("Count", JsonNumber(Layer.Count));
  json.Add("Grid", JsonNumber(Layer.GridCount));
  json.Add("UpperBound", JsonNumber(Layer.UpperBound));
  json.Add("Proven", JsonBool(Layer.Proven()));
  TJsonValue& boxes = json.Add("Boxes", JsonArray());
  for (const TLayerBox& b : Layer.Boxes) {
    TJsonValue& box = boxes.Append(JsonObject());
    box.Add("X", JsonNumber(b.XMM));
    box.Add("Y", JsonNumber(b.YMM));
    box.Add("L", JsonNumber(b.LengthMM));
    box.Add("W", JsonNumber(b.WidthMM));
  }
  return json;
}

}  // namespace

int RunLayerCalculator(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err) {
  try {
    const TLayerInput in = ParseLayer(Args);
    const TPalletLayer layer = BestLayer(in.PalletL, in.PalletW, in.BoxL, in.BoxW, in.Overhang);
    if (in.Json) WriteFileReplacing(*in.Json, WriteJson(LayerJson(layer)) + "\n");
    Out << Format("boxes per layer: %d; column grid: %d; upper bound: %d; proven optimal: %s\n",
                  layer.Count, layer.GridCount, layer.UpperBound, layer.Proven() ? "yes" : "no");
    if (!Out.flush())
      throw Exception(TErrorKind::FileReadWrite, "Cannot write the standard output");
    return 0;
  } catch (const Exception& e) {
    Err << e.Message() << '\n';
  } catch (const std::exception& e) {
    Err << e.what() << '\n';
  }
  return 1;
}

}  // namespace quelmora
