// SPDX-License-Identifier: Apache-2.0
// The options of marlo-convert.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marlo::cli {

struct Options {
  enum class Action { kConvert, kFilter, kListTypes, kHelp, kVersion };
  Action action = Action::kConvert;
  int32_t type = -1;
  std::string targetFolder;  // empty: beside the first file, named after the type
  int32_t handleExistFile = 0;
  std::vector<std::string> files;
};

struct ParseResult {
  std::optional<Options> options;
  std::string error;  // what is wrong and how to fix it, when options is empty
};

ParseResult ParseCommandLine(int argc, char** argv);
std::string UsageText();

}  // namespace marlo::cli
