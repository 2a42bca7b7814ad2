// SPDX-License-Identifier: Apache-2.0
#include "engine/src/ByteScan.h"

#include <vector>

namespace marlo::scan {

extern const ScanVariant kPlainScan;
#if defined(__x86_64__)
extern const ScanVariant kSse2Scan;  // every x86-64 processor has SSE2
extern const ScanVariant kAvx2Scan;
extern const ScanVariant kAvx512Vbmi2Scan;
#endif

std::span<const ScanVariant> Variants() {
  static const std::vector<ScanVariant> variants = [] {
    std::vector<ScanVariant> runnable = {kPlainScan};
#if defined(__x86_64__)
    runnable.push_back(kSse2Scan);
    __builtin_cpu_init();
    const bool avx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
                      __builtin_cpu_supports("bmi2");
    if (avx2) runnable.push_back(kAvx2Scan);
    if (avx2 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi") &&
        __builtin_cpu_supports("avx512vbmi2"))
      runnable.push_back(kAvx512Vbmi2Scan);
#endif
    return runnable;
  }();
  return variants;
}

}  // namespace marlo::scan
