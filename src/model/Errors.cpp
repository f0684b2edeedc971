#include "model/Errors.h"

#include <utility>

namespace quelmora {

const char* ErrorKindName(TErrorKind Kind) noexcept {
  switch (Kind) {
    case TErrorKind::InvalidInput:
      return "EArgumentException";
    case TErrorKind::OutOfRange:
      return "EArgumentOutOfRangeException";
    case TErrorKind::NotANumber:
      return "EConvertError";
    case TErrorKind::InvalidOperation:
    case TErrorKind::NoSharedBox:
      return "EInvalidOp";
    case TErrorKind::DivisionByZero:
      return "EZeroDivide";
    case TErrorKind::Overflow:
    case TErrorKind::IdOutOfRange:
      return "EOverflow";
    case TErrorKind::Cancelled:
      return "EOptimizationCancelled";
    case TErrorKind::OutOfMemory:
      return "EOutOfMemory";
    case TErrorKind::FileOpen:
      return "EFOpenError";
    case TErrorKind::FileCreate:
      return "EFCreateError";
    case TErrorKind::FileReadWrite:
      return "EInOutError";
    case TErrorKind::Encoding:
      return "EEncodingError";
    case TErrorKind::JsonSyntax:
      return "EJsonParseError";
    case TErrorKind::Usage:
      return "EUsageError";
    case TErrorKind::General:
    case TErrorKind::Internal:
      break;
  }
  return "Exception";
}

Exception::Exception(TErrorKind Kind, std::string MessageId, std::initializer_list<TFormatArg> Args)
    : FKind(Kind),
      FMessageId(std::move(MessageId)),
      FArgs(Args),
      FMessage(FArgs.empty() ? FMessageId : FormatArgs(FMessageId, FArgs.data(), FArgs.size())) {}

Exception&& Exception::InField(std::string Key) && {
  FPlace.Field = std::move(Key);
  return std::move(*this);
}

Exception&& Exception::AtCsv(int32_t Row, int32_t Column) && {
  FPlace.Row = Row;
  FPlace.Column = Column;
  return std::move(*this);
}

Exception&& Exception::InFile(std::string Path) && {
  FPlace.File = std::move(Path);
  return std::move(*this);
}

Exception&& Exception::AtMember(std::string Member) && {
  FPlace.Member = std::move(Member);
  return std::move(*this);
}

Exception&& Exception::WithFound(std::string Value) && {
  FPlace.Found = std::move(Value);
  return std::move(*this);
}

Exception&& Exception::WithFieldCount(int32_t Count, int32_t Expected) && {
  FPlace.FieldCount = Count;
  FPlace.ExpectedFieldCount = Expected;
  return std::move(*this);
}

Exception&& Exception::WithAllowed(const TFieldBounds& Bounds) && {
  FPlace.Allowed = Bounds;
  return std::move(*this);
}

Exception&& Exception::WithExpected(std::string Value) && {
  FPlace.Expected = std::move(Value);
  return std::move(*this);
}

Exception&& Exception::AtByte(int64_t Offset) && {
  FPlace.Byte = Offset;
  return std::move(*this);
}

Exception&& Exception::At(const TErrorPlace& Place) && {
  if (!Place.Field.empty()) FPlace.Field = Place.Field;
  if (Place.Row != 0) FPlace.Row = Place.Row;
  if (Place.Column != 0) FPlace.Column = Place.Column;
  if (!Place.File.empty()) FPlace.File = Place.File;
  if (!Place.Member.empty()) FPlace.Member = Place.Member;
  if (!Place.Found.empty()) FPlace.Found = Place.Found;
  if (Place.FieldCount != 0) {
    FPlace.FieldCount = Place.FieldCount;
    FPlace.ExpectedFieldCount = Place.ExpectedFieldCount;
  }
  if (Place.Allowed) FPlace.Allowed = Place.Allowed;
  if (!Place.Expected.empty()) FPlace.Expected = Place.Expected;
  if (Place.Byte) FPlace.Byte = Place.Byte;
  return std::move(*this);
}

}  // namespace quelmora
