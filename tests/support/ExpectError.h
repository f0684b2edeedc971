#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "model/Errors.h"

namespace quelmora::test {

// The error Action raises, if it raises one of ours; anything else fails the test.
inline std::optional<Exception> Caught(const std::function<void()>& Action) {
  try {
    Action();
  } catch (const Exception& e) {
    return e;
  } catch (const std::exception& e) {
    ADD_FAILURE() << "a foreign exception: " << e.what();
  }
  return std::nullopt;
}

// A readable name for a kind in failure messages.
inline std::string KindLabel(std::optional<TErrorKind> Kind) {
  if (!Kind) return "no error";
  return std::string(ErrorKindName(*Kind)) + " #" + std::to_string(static_cast<int>(*Kind));
}

inline std::string CaughtKindLabel(const std::function<void()>& Action) {
  const std::optional<Exception> e = Caught(Action);
  return KindLabel(e ? std::optional(e->Kind()) : std::nullopt);
}

}  // namespace quelmora::test

// Statement raises an error of the given TErrorKind.
#define EXPECT_ERROR_KIND(Statement, Kind)                                 \
  EXPECT_EQ(::quelmora::test::CaughtKindLabel([&] { (void)(Statement); }), \
            ::quelmora::test::KindLabel(Kind))

// Statement raises one of the file errors (opening, creating, reading or writing).
#define EXPECT_FILE_ERROR(Statement)                                           \
  do {                                                                         \
    const auto caught_ = ::quelmora::test::Caught([&] { (void)(Statement); }); \
    EXPECT_TRUE(caught_&& ::quelmora::IsFileError(caught_->Kind()))            \
        << (caught_ ? caught_->Message() : std::string("no error"));           \
  } while (false)
