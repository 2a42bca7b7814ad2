// SPDX-License-Identifier: Apache-2.0
// Which files an add puts into the list of files to convert.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
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

// What a walk of a folder tree found, and what it left out.
struct TreeListing {
  std::vector<RunEntry> entries;
  size_t ignoredFiles = 0;  // ruled out by the ignore list
  size_t typeFolders = 0;   // folders named after a conversion type, not entered
};

// Every regular file under a folder, depth first in name order, as entries
// whose name is the path below the folder ("sub/a.txt"), less the ignored
// ones and anything under `skip` (the target folder). Links to folders are
// not followed. With skipTypeFolders, no folder named after a conversion
// type (GbToBig, BigToGb…) is entered below the given one: those are where
// earlier runs wrote, and their outputs are no sources.
TreeListing ListTree(const std::string& folder, const IgnoreList& ignoreList,
                     const std::string& skip, bool skipTypeFolders = false);

// The entries an add of these names from one folder makes, in the given
// order: the ignored ones and those already listed (by full path) left out.
std::vector<RunEntry> EntriesToAdd(std::string_view folder, const std::vector<std::string>& names,
                                   std::string_view ignoreList,
                                   const std::function<bool(const std::string&)>& isListed);

}  // namespace marlo
