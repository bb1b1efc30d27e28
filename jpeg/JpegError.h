// The encoder's error: a number and a description, raised to the caller and
// never caught inside the encoder (the application's error handler reports
// "number description").
#pragma once

#include <stdexcept>
#include <string>

namespace jpeg {

class JpegError : public std::runtime_error {
 public:
  JpegError(int number, const std::string& description)
      : std::runtime_error(description), number_(number) {}
  int Number() const noexcept { return number_; }
  std::string Description() const { return what(); }

 private:
  int number_;
};

}  // namespace jpeg
