// SPDX-License-Identifier: Apache-2.0
#include "SourceSelection.h"

#include <algorithm>
#include <unordered_set>

namespace marlo {

namespace {

// Extensions are ASCII; other letters are left as they are.
std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
  return upper;
}

}  // namespace

bool IsIgnoredByList(std::string_view fileName, std::string_view ignoreList) {
  const size_t dot = fileName.find('.');
  if (dot == std::string_view::npos) return false;
  return UpperAscii(ignoreList).find(UpperAscii(fileName.substr(dot))) != std::string::npos;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  return path.append(name);
}

std::vector<RunEntry> EntriesToAdd(std::string_view folder, const std::vector<std::string>& names,
                                   std::string_view ignoreList,
                                   const std::function<bool(const std::string&)>& isListed) {
  const std::string upperList = UpperAscii(ignoreList);
  std::vector<RunEntry> entries;
  std::unordered_set<std::string> added;
  for (const std::string& name : names) {
    if (IsIgnoredByList(name, upperList)) continue;
    std::string path = JoinPath(folder, name);
    if (isListed(path) || !added.insert(path).second) continue;
    entries.push_back({std::move(path), name});
  }
  return entries;
}

}  // namespace marlo
