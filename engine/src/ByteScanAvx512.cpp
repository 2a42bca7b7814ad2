// SPDX-License-Identifier: Apache-2.0
// AVX2's scans, and the widening and the phrase filter with AVX-512's byte
// permutes, compress and expand, for processors that have VBMI2.
#define MARLO_SCAN_VARIANT avx512vbmi2
#define MARLO_SCAN_MASK MARLO_MASK_AVX2
#define MARLO_SCAN_OWN_WIDENING
#define MARLO_SCAN_OWN_FILTER
#include "engine/src/ByteScanBlocks.h"
#include "engine/src/ByteScanFilterAvx512.h"
#include "engine/src/ByteScanWidenVbmi2.h"

namespace marlo::scan {

extern const ScanVariant kAvx512Vbmi2Scan = {"avx512vbmi2",
                                             &avx512vbmi2::ScanLeadAndTrail,
                                             &avx512vbmi2::ScanByTable,
                                             &avx512vbmi2::WidenBlocks,
                                             &avx512vbmi2::CheckBlocks,
                                             &avx512vbmi2::LeadAndTrailStarts,
                                             &avx512vbmi2::FilterStarts};

}  // namespace marlo::scan
