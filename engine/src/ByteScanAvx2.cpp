// SPDX-License-Identifier: Apache-2.0
#define MARLO_SCAN_VARIANT avx2
#define MARLO_SCAN_MASK MARLO_MASK_AVX2
#include "engine/src/ByteScanBlocks.h"

namespace marlo::scan {

extern const ScanVariant kAvx2Scan = {"avx2",
                                      &avx2::ScanLeadAndTrail,
                                      &avx2::ScanByTable,
                                      &avx2::WidenBlocks,
                                      &avx2::CheckBlocks,
                                      &avx2::LeadAndTrailStarts,
                                      &avx2::FilterStarts};

}  // namespace marlo::scan
