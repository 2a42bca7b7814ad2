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

// The GBK codes a GB2312 reading takes (resource 109): the only codes text
// may be encoded into for the types that read GB2312, whose pair scan would
// read any other GBK code as another character or lose step on it.
struct CodeRun {
  uint16_t first, last;
};
const std::vector<CodeRun>& Gb2312CodeRuns();

}  // namespace marlo
