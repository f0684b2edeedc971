#include "l10n/ErrorText.h"

#include <new>
#include <vector>

#include "l10n/Localization.h"
#include "model/AppStrings.h"
#include "model/ErrorTexts.h"
#include "model/TextFormat.h"

namespace quelmora {

namespace {

std::string Localized(const TMessage& message);

// A value as the current language shows it: catalogue texts and whole
// messages translated, everything else (names, paths, numbers) untouched.
TFormatArg LocalizedArg(const TFormatArg& arg) {
  if (const TMessage* nested = arg.NestedMessage()) return TFormatArg(Localized(*nested));
  if (arg.IsKey()) return TFormatArg(Tr(arg.Text()));
  return arg;
}

std::string Localized(const TMessage& message) {
  const std::string format = Tr(message.Id);
  // Without values the text is taken as it stands, as the catalogue's is.
  if (message.Args.empty()) return format;
  std::vector<TFormatArg> args;
  args.reserve(message.Args.size());
  for (const TFormatArg& arg : message.Args)
    args.push_back(LocalizedArg(arg));
  return FormatArgs(format, args.data(), args.size());
}

std::string Part(const char* id, std::initializer_list<TFormatArg> args) {
  return FormatArgs(Tr(id), args);
}

// A bound as a person types it: no trailing zeros, no exponent for the
// values fields hold.
std::string BoundText(double value) {
  return Format("%.15g", value);
}

std::string AllowedPart(const TFieldBounds& bounds) {
  const char* id = bounds.LowOpen ? (bounds.HighOpen ? SDetailAboveBelow : SDetailAboveTo)
                                  : (bounds.HighOpen ? SDetailFromBelow : SDetailFromTo);
  return Part(id, {BoundText(bounds.Low), BoundText(bounds.High)});
}

}  // namespace

std::string LocalizedMessage(const Exception& e) {
  return Localized(e.Text());
}

std::string ErrorDetail(const Exception& e) {
  const TErrorPlace& place = e.Place();
  std::vector<std::string> parts;
  if (!place.File.empty()) parts.push_back(Part(SDetailFile, {place.File}));
  if (!place.Member.empty()) parts.push_back(Part(SDetailMember, {place.Member}));
  if (place.Row > 0 && place.Column > 0)
    parts.push_back(Part(SDetailRowColumn, {place.Row, place.Column}));
  else if (place.Row > 0)
    parts.push_back(Part(SDetailRow, {place.Row}));
  if (place.Byte) parts.push_back(Part(SDetailByte, {*place.Byte}));
  if (place.FieldCount > 0)
    parts.push_back(Part(SDetailFieldCount, {place.FieldCount, place.ExpectedFieldCount}));
  if (!place.Found.empty()) parts.push_back(Part(SDetailFound, {place.Found}));
  if (place.Allowed) parts.push_back(AllowedPart(*place.Allowed));
  if (!place.Expected.empty()) parts.push_back(Part(SDetailExpected, {Tr(place.Expected)}));
  std::string line;
  for (const std::string& part : parts) {
    if (!line.empty()) line += "; ";
    line += part;
  }
  return line;
}

std::string LocalizedFailure(const std::exception& e) {
  if (const auto* ours = dynamic_cast<const Exception*>(&e)) return LocalizedMessage(*ours);
  if (dynamic_cast<const std::bad_alloc*>(&e)) return Tr(SNoMemory);
  return e.what();
}

std::string LocalizedRunFailure(const Exception& e) {
  return std::string(e.KindName()) + ": " + LocalizedMessage(e);
}

}  // namespace quelmora
