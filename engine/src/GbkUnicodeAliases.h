// SPDX-License-Identifier: Apache-2.0
// Characters that other decoders of GB2312 give for a code where code page
// 936 gives another (glibc decodes A1A4 as U+30FB, code page 936 as U+00B7).
// Text decoded by them must encode back to the code it came from.
#pragma once

#include <cstdint>
#include <vector>

namespace marlo {

struct UnicodeAlias {
  char16_t unicode;
  uint16_t gbk;
};

// Resource 108, parsed once; sorted by Unicode.
const std::vector<UnicodeAlias>& GbkUnicodeAliases();

}  // namespace marlo
