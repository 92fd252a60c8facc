// The exception classes of the program. Messages are Shift-JIS text, shown to the user as
// they stand.
#pragma once

#include <exception>
#include <string>

namespace quolin {

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

private:
  std::string message_;
};

#define QUOLIN_EXCEPTION(Name, Base)                                                               \
  class Name : public Base {                                                                       \
  public:                                                                                          \
    using Base::Base;                                                                              \
  }

QUOLIN_EXCEPTION(EConvertError, Exception);
QUOLIN_EXCEPTION(EStringListError, Exception);
QUOLIN_EXCEPTION(EIniFileException, Exception);
QUOLIN_EXCEPTION(EEncodingError, Exception);
QUOLIN_EXCEPTION(EInvalidOperation, Exception);
QUOLIN_EXCEPTION(EFileError, Exception);

#undef QUOLIN_EXCEPTION

} // namespace quolin
