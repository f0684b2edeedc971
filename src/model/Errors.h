#pragma once

#include <exception>
#include <string>
#include <utility>

namespace quelmora {

// Every failure the system reports is one of these: a kind name (shown as
// "Kind: message" for a failed run) and one message.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  virtual const char* KindName() const noexcept { return "Exception"; }

 private:
  std::string message_;
};

#define QUELMORA_ERROR_KIND(Name, Base)                              \
  class Name : public Base {                                         \
   public:                                                           \
    using Base::Base;                                                \
    const char* KindName() const noexcept override { return #Name; } \
  }

QUELMORA_ERROR_KIND(EArgumentException, Exception);
QUELMORA_ERROR_KIND(EArgumentOutOfRangeException, EArgumentException);
QUELMORA_ERROR_KIND(EConvertError, Exception);
QUELMORA_ERROR_KIND(EMathError, Exception);
QUELMORA_ERROR_KIND(EInvalidOp, EMathError);
QUELMORA_ERROR_KIND(EZeroDivide, EMathError);
QUELMORA_ERROR_KIND(EOverflow, EMathError);
QUELMORA_ERROR_KIND(EOptimizationCancelled, Exception);
// A working table larger than the memory the system can give.
QUELMORA_ERROR_KIND(EOutOfMemory, Exception);
// Files: opening for reading, creating or replacing, reading and writing.
QUELMORA_ERROR_KIND(EFileError, Exception);
QUELMORA_ERROR_KIND(EFOpenError, EFileError);
QUELMORA_ERROR_KIND(EFCreateError, EFileError);
QUELMORA_ERROR_KIND(EInOutError, EFileError);
// Bytes that are not valid UTF-8.
QUELMORA_ERROR_KIND(EEncodingError, Exception);
// Text that is not JSON (the readers turn it into their own message).
QUELMORA_ERROR_KIND(EJsonParseError, Exception);

#undef QUELMORA_ERROR_KIND

// The text a failed run shows: kind name, ": ", message.
inline std::string ErrorText(const Exception& e) {
  return std::string(e.KindName()) + ": " + e.Message();
}

}  // namespace quelmora
