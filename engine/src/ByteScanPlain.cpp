// SPDX-License-Identifier: Apache-2.0
#define MARLO_SCAN_VARIANT plain
#define MARLO_SCAN_MASK MARLO_MASK_PLAIN
#include "engine/src/ByteScanBlocks.h"

namespace marlo::scan {

extern const ScanVariant kPlainScan = {"plain",
                                       &plain::ScanLeadAndTrail,
                                       &plain::ScanByTable,
                                       &plain::WidenBlocks,
                                       &plain::CheckBlocks,
                                       &plain::LeadAndTrailStarts,
                                       &plain::FilterStarts};

}  // namespace marlo::scan
