// SPDX-License-Identifier: Apache-2.0
#include "batch/SourceSelection.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
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

TreeWalker::TreeWalker(std::string folder, IgnoreList ignoreList, TreeWalkRules rules)
    : root_(std::move(folder)), ignoreList_(std::move(ignoreList)), rules_(std::move(rules)) {
  std::error_code error;
  if (!rules_.skip.empty())
    skipped_ = std::filesystem::weakly_canonical(rules_.skip, error).string();
}

bool TreeWalker::Enter(const std::string& name, const std::string& path,
                       const std::string& relative, RunEntry& failure) {
  auto fail = [&](int error) {
    failure = {path, relative.empty() ? "." : relative,
               Failure{FileAction::kReadFolder,
                       error == ELOOP ? FailureReason::kSymbolicLink : FailureReason::kSystem, path,
                       error}};
    return false;
  };
  // The root may be a link the user named; below it, a folder that became
  // a link since its parent was listed is not entered.
  const int fd = stack_.empty() ? ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                                : ::openat(stack_.back().handle->fd(), name.c_str(),
                                           O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return fail(stack_.empty() || errno != ENOTDIR ? errno : ELOOP);
  auto handle = std::make_shared<const textfile::FolderHandle>(fd);
  const int listed = ::dup(fd);
  DIR* dir = listed < 0 ? nullptr : ::fdopendir(listed);
  if (dir == nullptr) {
    const int error = errno;
    if (listed >= 0) ::close(listed);
    return fail(error);
  }
  Folder folder{handle, path, relative, {}, 0};
  errno = 0;
  while (const dirent* item = ::readdir(dir)) {
    const std::string_view itemName = item->d_name;
    if (itemName == "." || itemName == "..") continue;
    unsigned char type = item->d_type;
    if (type == DT_UNKNOWN) {  // some file systems leave the kind to a look
      struct stat info;
      if (::fstatat(fd, item->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
        type = S_ISDIR(info.st_mode)   ? DT_DIR
               : S_ISREG(info.st_mode) ? DT_REG
               : S_ISLNK(info.st_mode) ? DT_LNK
                                       : DT_UNKNOWN;
    }
    const Kind kind = type == DT_DIR   ? Kind::kFolder
                      : type == DT_REG ? Kind::kFile
                      : type == DT_LNK ? Kind::kLink
                                       : Kind::kOther;
    folder.names.emplace_back(std::string(itemName), kind);
    errno = 0;
  }
  const int error = errno;
  ::closedir(dir);
  if (error != 0) return fail(error);
  std::sort(folder.names.begin(), folder.names.end());
  if (stack_.empty()) rootHandle_ = handle;
  stack_.push_back(std::move(folder));
  return true;
}

bool LooksBinary(int folder, const std::string& name, bool noFollow) {
  const int fd = ::openat(folder, name.c_str(),
                          O_RDONLY | O_CLOEXEC | O_NONBLOCK | (noFollow ? O_NOFOLLOW : 0));
  struct stat info;
  // A device or a pipe is no file to skip: its row says what it is.
  if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    if (fd >= 0) ::close(fd);
    return false;
  }
  char probe[kBinaryProbe];
  ssize_t got;
  do got = ::read(fd, probe, sizeof probe);
  while (got < 0 && errno == EINTR);
  ::close(fd);
  return got > 0 && std::memchr(probe, 0, size_t(got)) != nullptr;
}

bool TreeWalker::Next(RunEntry& entry) {
  namespace fs = std::filesystem;
  if (!started_) {
    started_ = true;
    if (!Enter(root_, root_, "", entry)) return true;
  }
  while (!stack_.empty()) {
    Folder& folder = stack_.back();
    if (folder.next == folder.names.size()) {
      stack_.pop_back();
      continue;
    }
    const auto& [name, kind] = folder.names[folder.next++];
    const std::string path = JoinPath(folder.path, name);
    const std::string relative = folder.relative.empty() ? name : folder.relative + "/" + name;
    if (kind == Kind::kLink) {  // to a file or a folder alike: it may lead anywhere
      ++links_;
      continue;
    }
    if (kind == Kind::kFolder) {
      bool typeFolder = false;
      if (rules_.skipTypeFolders)
        for (const ConversionType& type : ConversionTypes()) typeFolder |= name == type.identifier;
      if (typeFolder) {
        ++typeFolders_;
        continue;
      }
      std::error_code ignored;
      if (!skipped_.empty() && fs::weakly_canonical(path, ignored).string() == skipped_) continue;
      if (!Enter(name, path, relative, entry)) return true;
      continue;
    }
    if (kind != Kind::kFile) continue;  // a device, a pipe, a socket
    if (ignoreList_.Ignores(name)) {
      ++ignoredFiles_;
      continue;
    }
    if (rules_.skipBinary && LooksBinary(folder.handle->fd(), name, true)) {
      ++binaryFiles_;
      continue;
    }
    entry = {path, relative, {}, rootHandle_};
    return true;
  }
  return false;
}

TreeListing ListTree(const std::string& folder, const IgnoreList& ignoreList, TreeWalkRules rules) {
  TreeWalker walker(folder, ignoreList, std::move(rules));
  TreeListing listing;
  for (RunEntry entry; walker.Next(entry);) listing.entries.push_back(std::move(entry));
  listing.ignoredFiles = walker.ignoredFiles();
  listing.typeFolders = walker.typeFolders();
  listing.binaryFiles = walker.binaryFiles();
  listing.links = walker.links();
  return listing;
}

}  // namespace marlo
