// SPDX-License-Identifier: Apache-2.0
// What the tests of marlo-convert as a process share.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/cli/Process.h"
#include "tests/support/TempFolder.h"

namespace marlo::test {

inline const std::string kBig5 = "\xB3\x6F\xA4\x40\r\n";  // 這一
inline const std::string kGb = "\xD5\xE2\xD2\xBB\r\n";

// marlo-convert with these arguments.
inline ProcessResult Convert(std::vector<std::string> args, const ProcessOptions& options = {}) {
  args.insert(args.begin(), MARLO_CONVERT_EXE);
  return RunProcess(args, options);
}

}  // namespace marlo::test
