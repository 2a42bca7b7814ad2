// SPDX-License-Identifier: Apache-2.0
// Which files an add puts into the list of files to convert.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "batch/ConversionRun.h"

namespace marlo {

// The file types a batch skips unless the user sets others.
inline constexpr const char* kDefaultIgnoreFileTypes =
    ".EXE;.DLL;.OCX;.OCA;.FRX;.MDB;.RAR;.ZIP;.JPG;.BMP;.JPEG;.GIF;.TIF;.PCX;.PDS;.EPS;.PDF;.PCT;"
    ".PIC;.PGN;.RAW;.DAT;.WAV;.MP3;.AVI;.CAB;.CAT;.TAZ;.EXP;TLB;LIB;OLB";

// Whether the ignore list (extensions such as ".EXE;.DLL") rules a file out:
// the name's tail from its first dot, upper-cased, occurs anywhere in the
// upper-cased list. The list is one string, not split at its separators, so
// ".H" is ruled out by ".HTM". A name without a dot is never ruled out.
// This is the window's rule, which its users know.
bool IsIgnoredByList(std::string_view fileName, std::string_view ignoreList);

// How a list rules files out: as the window does (above), or by whole
// extensions, as marlo-convert does, where a walk of a source tree must
// not drop main.c because ".CAB" holds ".C".
class IgnoreList {
 public:
  enum class Rule : uint8_t { kSubstring, kWholeExtension };
  // Whole extensions: the list's entries between ";", "," or blanks, any
  // letter case, with or without their dot ("TLB" is ".TLB").
  IgnoreList(std::string_view list, Rule rule);
  // Whole extensions: the name's last extension is one of the entries; a
  // name without one (or only a leading dot, ".profile") never is.
  bool Ignores(std::string_view fileName) const;

 private:
  Rule rule_;
  std::string upperList_;
  std::unordered_set<std::string> extensions_;
};

// A folder and a name in it, with one separator between them at the root too.
std::string JoinPath(std::string_view folder, std::string_view name);

// What a walk leaves out besides the ignored types.
struct TreeWalkRules {
  std::string skip;              // a folder not entered: the target folder
  bool skipTypeFolders = false;  // folders named after a conversion type (below the root)
  bool skipBinary = false;       // files with a NUL byte in their first kBinaryProbe bytes
};

// How much of a file tells a binary file from a text in a byte code.
inline constexpr size_t kBinaryProbe = 4096;

// Whether the file holds a NUL byte in its first kBinaryProbe bytes; false
// for a file that cannot be read (its row says why). Opened below folder
// (AT_FDCWD: from here) by name, not followed where it is a link with
// noFollow.
bool LooksBinary(int folder, const std::string& name, bool noFollow);

// The regular files under a folder, one at a time, depth first with the
// names of each folder in byte order, as entries whose name is the path
// below the folder ("sub/a.txt"). No link is followed: each folder is
// opened from its parent's descriptor, links met are counted and left
// out, and each entry is opened below the tree's folder (RunEntry::below),
// so that a folder or file replaced by a link while the tree is walked or
// converted leads nowhere outside it. Its memory is that of the folders on
// the way down, not of the tree: a tree of millions of files is walked
// while its files convert.
class TreeWalker {
 public:
  TreeWalker(std::string folder, IgnoreList ignoreList, TreeWalkRules rules);
  // The next file; false when the walk is over. A folder that cannot be
  // read comes as an entry with its failure: its files would otherwise be
  // missing without a word.
  bool Next(RunEntry& entry);

  size_t ignoredFiles() const { return ignoredFiles_; }
  size_t typeFolders() const { return typeFolders_; }  // not entered
  size_t binaryFiles() const { return binaryFiles_; }
  size_t links() const { return links_; }  // not followed

 private:
  enum class Kind : uint8_t { kFolder, kFile, kLink, kOther };
  struct Folder {
    std::shared_ptr<const textfile::FolderHandle> handle;
    std::string path;
    std::string relative;  // below the root, "" for the root
    // Names with their kinds as the folder listing gives them (no look at
    // each file), in byte order.
    std::vector<std::pair<std::string, Kind>> names;
    size_t next = 0;
  };
  // Opens and lists a folder: the root by its path, any other by its name
  // in the folder on top of the stack.
  bool Enter(const std::string& name, const std::string& path, const std::string& relative,
             RunEntry& failure);

  std::string root_;
  IgnoreList ignoreList_;
  TreeWalkRules rules_;
  std::string skipped_;  // the skipped folder, made canonical
  std::vector<Folder> stack_;
  std::shared_ptr<const textfile::FolderHandle> rootHandle_;
  bool started_ = false;
  size_t ignoredFiles_ = 0, typeFolders_ = 0, binaryFiles_ = 0, links_ = 0;
};

// What a whole walk found, and what it left out.
struct TreeListing {
  std::vector<RunEntry> entries;
  size_t ignoredFiles = 0;  // ruled out by the ignore list
  size_t typeFolders = 0;   // folders named after a conversion type, not entered
  size_t binaryFiles = 0;
  size_t links = 0;  // symbolic links, not followed
};

// Every file a walk gives, at once: for trees a window lists.
TreeListing ListTree(const std::string& folder, const IgnoreList& ignoreList, TreeWalkRules rules);

// The entries an add of these names from one folder makes, in the given
// order: the ignored ones and those already listed (by full path) left out.
std::vector<RunEntry> EntriesToAdd(std::string_view folder, const std::vector<std::string>& names,
                                   std::string_view ignoreList,
                                   const std::function<bool(const std::string&)>& isListed);

}  // namespace marlo
