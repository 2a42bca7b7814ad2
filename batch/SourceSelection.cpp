// SPDX-License-Identifier: Apache-2.0
#include "batch/SourceSelection.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unordered_set>

#include "batch/ConversionTypes.h"
#include "batch/UserTexts.h"

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

IgnoreList::IgnoreList(std::string_view list, Rule rule)
    : rule_(rule), upperList_(rule == Rule::kSubstring ? UpperAscii(list) : std::string()) {
  if (rule == Rule::kSubstring) return;
  const std::string upper = UpperAscii(list);
  size_t at = 0;
  while (at < upper.size()) {
    const size_t end = upper.find_first_of(";, \t\r\n", at);
    std::string entry = upper.substr(at, end == std::string::npos ? end : end - at);
    at = end == std::string::npos ? upper.size() : end + 1;
    if (entry.empty() || entry == ".") continue;
    if (entry.front() != '.') entry.insert(entry.begin(), '.');
    extensions_.insert(std::move(entry));
  }
}

bool IgnoreList::Ignores(std::string_view fileName) const {
  if (rule_ == Rule::kSubstring) return IsIgnoredByList(fileName, upperList_);
  const size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos || dot == 0 || dot + 1 == fileName.size()) return false;
  return extensions_.count(UpperAscii(fileName.substr(dot))) != 0;
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

TreeListing ListTree(const std::string& folder, const IgnoreList& ignoreList,
                     const std::string& skip, bool skipTypeFolders) {
  namespace fs = std::filesystem;
  std::unordered_set<std::string> typeNames;
  if (skipTypeFolders)
    for (const ConversionType& type : ConversionTypes()) typeNames.insert(type.identifier);
  TreeListing listing;
  std::vector<RunEntry>& entries = listing.entries;
  std::error_code error;
  const fs::path skipped = skip.empty() ? fs::path() : fs::weakly_canonical(skip, error);
  std::vector<fs::path> folders = {folder};
  while (!folders.empty()) {
    const fs::path current = std::move(folders.back());
    folders.pop_back();
    fs::directory_iterator it(current, error);
    // A folder that cannot be read is a failure of the run, not a silence:
    // its files would be missing from the target without a word.
    if (error) {
      const std::string relative = current.lexically_relative(folder).string();
      entries.push_back({current.string(), relative,
                         Failure{FileAction::kReadFolder, FailureReason::kSystem, current.string(),
                                 error.value()}});
      continue;
    }
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
      std::error_code ignored;
      if (!it->is_symlink(ignored) && it->is_directory(ignored)) {  // links to folders not followed
        if (typeNames.count(it->path().filename().string()))
          ++listing.typeFolders;
        else if (skipped.empty() || fs::weakly_canonical(it->path(), ignored) != skipped)
          folders.push_back(it->path());
        continue;
      }
      if (!it->is_regular_file(ignored)) continue;  // a link loop is none either
      const std::string name = it->path().filename().string();
      if (ignoreList.Ignores(name)) {
        ++listing.ignoredFiles;
        continue;
      }
      entries.push_back({it->path().string(), it->path().lexically_relative(folder).string()});
    }
  }
  std::sort(entries.begin(), entries.end(),
            [](const RunEntry& a, const RunEntry& b) { return a.fileName < b.fileName; });
  return listing;
}

}  // namespace marlo
