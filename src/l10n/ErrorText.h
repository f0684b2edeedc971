#pragma once

#include <exception>
#include <string>

#include "model/Errors.h"

namespace quelmora {

// The message of e in the current language; values stay as they are, nested
// messages and catalogue texts among them are translated too.
std::string LocalizedMessage(const Exception& e);

// One line that says what was found at the place of e and what is allowed,
// in the current language; empty when e carries nothing to say.
std::string ErrorDetail(const Exception& e);

// The message a failure shows in the current language: an Exception's
// message, the shortage-of-memory message, or a foreign exception's what().
std::string LocalizedFailure(const std::exception& e);

// A failed run's text in the current language: kind name, ": ", message.
std::string LocalizedRunFailure(const Exception& e);

}  // namespace quelmora
