// Windows: text reaches a console as UTF-16, so that every name shows as it
// is whatever the console's code page; redirected, it is UTF-8 with CR LF.
#pragma once

#ifdef _WIN32
#include <streambuf>
#include <string>

namespace kelvane {

class ConsoleBuffer : public std::streambuf {
 public:
  // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
  explicit ConsoleBuffer(unsigned long standardHandle);
  ~ConsoleBuffer() override;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool Flush();

  void* handle_;
  bool console_;
  std::string pending_;  // UTF-8 not yet written
};

}  // namespace kelvane
#endif
