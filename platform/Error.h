// The program's errors: raised with the exact text the user sees, never caught by a
// handler, and reported in the error box by the message boundary (Window.cpp).
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace orvelle::platform {

class Error : public std::exception {
public:
  explicit Error(std::wstring message);

  const std::wstring& Message() const noexcept { return message_; }
  // The code that raised the error (the fatal box names it relative to its module).
  const void* Address() const noexcept { return address_; }
  // Shown by the fatal box of an error that escapes before the message loop.
  virtual const char* ClassName() const noexcept { return "Error"; }
  const char* what() const noexcept override { return "orvelle::platform::Error"; }

private:
  std::wstring message_;
  const void* address_;
};

#define ORVELLE_ERROR_CLASS(Name)                                        \
  class Name : public ::orvelle::platform::Error {                       \
  public:                                                                \
    using Error::Error;                                                  \
    const char* ClassName() const noexcept override { return #Name; }    \
  }

ORVELLE_ERROR_CLASS(FileOpenError);     // the command file cannot be opened for loading
ORVELLE_ERROR_CLASS(FileCreateError);   // the command file cannot be created for saving
ORVELLE_ERROR_CLASS(StreamWriteError);  // a write came up short
ORVELLE_ERROR_CLASS(ListIndexError);    // an entry was read with no entry selected
ORVELLE_ERROR_CLASS(ListInsertError);   // the list control refused an entry
ORVELLE_ERROR_CLASS(WindowError);       // a window could not be created
ORVELLE_ERROR_CLASS(ConsoleTypingError);  // typing into the console window stopped part way
ORVELLE_ERROR_CLASS(OutOfMemoryError);    // the command file does not fit in memory

}  // namespace orvelle::platform
