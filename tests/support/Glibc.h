// SPDX-License-Identifier: Apache-2.0
// glibc's converters, the implementation of the byte forms that is not ours
// which the tests compare the engine with.
#pragma once

#include <iconv.h>

#include <optional>
#include <string>

namespace marlo {

// One glibc converter, strict: a character it cannot convert is nothing.
class Glibc {
 public:
  Glibc(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Glibc() {
    if (cd_ != iconv_t(-1)) iconv_close(cd_);
  }
  Glibc(const Glibc&) = delete;
  Glibc& operator=(const Glibc&) = delete;
  bool ok() const { return cd_ != iconv_t(-1); }

  std::optional<std::string> operator()(const std::string& in) const {
    std::string copy = in;
    char out[16];
    char* inPtr = copy.data();
    char* outPtr = out;
    size_t inLeft = copy.size(), outLeft = sizeof out;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    // glibc drops some characters without a word (the tags U+E0000..):
    // nothing is no conversion.
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0 ||
        (outPtr == out && !in.empty()))
      return std::nullopt;
    return std::string(out, outPtr);
  }

 private:
  iconv_t cd_;
};

}  // namespace marlo
