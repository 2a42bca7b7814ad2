// SPDX-License-Identifier: Apache-2.0
// Why a file could not be converted, as a value: what was being done, to
// which path, and why. Words are made from it in one place (Describe, with
// the other user words), so each program says it in its own language.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "batch/CodeVerdict.h"

namespace marlo {

// Describe lists the words of both enums in their order.
enum class FileAction : uint8_t {
  kOpen,
  kRead,
  kWrite,
  kCreateFolder,
  kReadFolder,
  kDelete,
  kReadStream,   // standard input
  kWriteStream,  // standard output
};

enum class FailureReason : uint8_t {
  kSystem,          // errno tells
  kNotRegularFile,  // a folder, a device, a pipe
  kEmptyFile,
  kFileTooLarge,
  kOutOfMemory,
  kTargetIsSource,
  kSameNameInRun,   // another file of the run writes this target
  kSymbolicLink,    // a link where a tree's file or folder was: not followed
  kNotThisCode,     // strict: the input check's finding is in `verdict`
  kInvalidUtf8,     // at byte `offset`
  kUnexpected,      // none of these: the exception's own text is in `detail`
  kEngineNotReady,  // the code tables did not load: nothing can convert
  // strict: a character would be replaced, as the code named in `detail`
  // lacks it
  kCharacterReplaced,
};

struct Failure {
  FileAction action = FileAction::kRead;
  FailureReason reason = FailureReason::kSystem;
  std::string path = {};                    // empty where none applies (out of memory)
  int error = 0;                            // errno, for kSystem
  uint64_t offset = 0;                      // kInvalidUtf8
  std::string detail = {};                  // kUnexpected; kCharacterReplaced: the code
  std::optional<CodeVerdict> verdict = {};  // kNotThisCode
};

// The failure in the user's words.
std::string Describe(const Failure& failure);
// The input check's finding in the user's words: "看起來不是 GB2312 文本: …".
std::string Describe(const CodeVerdict& verdict);

}  // namespace marlo
