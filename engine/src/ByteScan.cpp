// SPDX-License-Identifier: Apache-2.0
#include "engine/src/ByteScan.h"

#include <vector>

namespace marlo::scan {

extern const ScanVariant kPlainScan;
#if defined(__x86_64__)
extern const ScanVariant kSse2Scan;  // every x86-64 processor has SSE2
extern const ScanVariant kAvx2Scan;
#endif

std::span<const ScanVariant> Variants() {
  static const std::vector<ScanVariant> variants = [] {
    std::vector<ScanVariant> runnable = {kPlainScan};
#if defined(__x86_64__)
    runnable.push_back(kSse2Scan);
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
        __builtin_cpu_supports("bmi2"))
      runnable.push_back(kAvx2Scan);
#endif
    return runnable;
  }();
  return variants;
}

}  // namespace marlo::scan
