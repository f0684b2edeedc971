#pragma once

#include <cstdint>
#include <exception>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/FieldBounds.h"
#include "model/TextFormat.h"

namespace quelmora {

// What failed, as far as a caller or a person can act on it. Callers branch
// on the kind, never on the text.
enum class TErrorKind : int32_t {
  General,           // no more specific kind applies
  InvalidInput,      // data that validation or a reader refuses
  OutOfRange,        // an index outside a field table
  NotANumber,        // text or a value that is not the number asked for
  InvalidOperation,  // a calculation whose result is not a number
  DivisionByZero,
  Overflow,  // a result beyond the range of double
  Cancelled,
  OutOfMemory,
  FileOpen,       // a file that cannot be opened for reading
  FileCreate,     // a file that cannot be created or replaced
  FileReadWrite,  // reading or writing failed part way
  Encoding,       // bytes that are not valid UTF-8
  JsonSyntax,     // text that is not JSON
  NoSharedBox,    // no shared box size takes a product
  IdOutOfRange,   // no further product Id fits in 32 bits
  Usage,          // a command line the batch tool cannot take
  Internal,       // the program contradicts itself
};

// The kind's name in a failed run's "Kind: message" text. Earlier versions
// wrote these names into logs and messages, so the names stay as they were,
// even where two kinds share one.
const char* ErrorKindName(TErrorKind Kind) noexcept;

inline bool IsFileError(TErrorKind Kind) noexcept {
  return Kind == TErrorKind::FileOpen || Kind == TErrorKind::FileCreate ||
         Kind == TErrorKind::FileReadWrite;
}

// Where a fault lies, as far as it is known; empty or 0 where it does not apply.
struct TErrorPlace {
  std::string Field;                    // the key of a field table entry
  int32_t Row = 0;                      // CSV row, the header being row 1
  int32_t Column = 0;                   // CSV column, from 1
  std::string File;                     // the file read or written
  std::string Member;                   // the member of a stored document
  std::string Found;                    // the value found at the place, as it stood
  int32_t FieldCount = 0;               // how many fields a CSV row had
  int32_t ExpectedFieldCount = 0;       // how many it should have had
  std::optional<TFieldBounds> Allowed;  // the values a field allows
  std::string Expected;                 // what was expected instead, in the catalogue's language
  std::optional<int64_t> Byte;          // the offset of a fault in a file's bytes

  bool operator==(const TErrorPlace&) const = default;
};

// Every failure the system reports: a kind, a message made from a catalogue
// text and its arguments, and where it applies the place of the fault. The
// text a person sees is made from these at the boundary that shows it.
class Exception : public std::exception {
 public:
  // MessageId is the catalogue text: a printf-style format when Args are
  // given, else the message itself, taken as it stands.
  Exception(TErrorKind Kind, std::string MessageId, std::initializer_list<TFormatArg> Args = {});

  TErrorKind Kind() const noexcept { return FKind; }
  const char* KindName() const noexcept { return ErrorKindName(FKind); }
  const std::string& MessageId() const noexcept { return FMessageId; }
  const std::vector<TFormatArg>& Args() const noexcept { return FArgs; }
  const TErrorPlace& Place() const noexcept { return FPlace; }
  // The message in the catalogue's own language, numbers with a point.
  const std::string& Message() const noexcept { return FMessage; }
  // The message before it is put into words: MessageId and Args.
  TMessage Text() const { return TMessage{FMessageId, FArgs}; }
  const char* what() const noexcept override { return FMessage.c_str(); }

  Exception&& InField(std::string Key) &&;
  Exception&& AtCsv(int32_t Row, int32_t Column) &&;
  Exception&& InFile(std::string Path) &&;
  Exception&& AtMember(std::string Member) &&;
  Exception&& WithFound(std::string Value) &&;
  Exception&& WithFieldCount(int32_t Count, int32_t Expected) &&;
  Exception&& WithAllowed(const TFieldBounds& Bounds) &&;
  Exception&& WithExpected(std::string Value) &&;
  Exception&& AtByte(int64_t Offset) &&;
  // The same failure, with the places already known of another.
  Exception&& At(const TErrorPlace& Place) &&;

 private:
  TErrorKind FKind;
  std::string FMessageId;
  std::vector<TFormatArg> FArgs;
  TErrorPlace FPlace;
  std::string FMessage;
};

// The text a failed run shows: kind name, ": ", message.
inline std::string ErrorText(const Exception& e) {
  return std::string(e.KindName()) + ": " + e.Message();
}

}  // namespace quelmora
