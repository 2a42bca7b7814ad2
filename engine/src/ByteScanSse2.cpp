// SPDX-License-Identifier: Apache-2.0
#define MARLO_SCAN_VARIANT sse2
#define MARLO_SCAN_MASK MARLO_MASK_SSE2
#include "engine/src/ByteScanBlocks.h"

namespace marlo::scan {

extern const ScanVariant kSse2Scan = {"sse2",
                                      &sse2::ScanLeadAndTrail,
                                      &sse2::ScanByTable,
                                      &sse2::WidenBlocks,
                                      &sse2::CheckBlocks,
                                      &sse2::LeadAndTrailStarts,
                                      &sse2::FilterStarts};

}  // namespace marlo::scan
