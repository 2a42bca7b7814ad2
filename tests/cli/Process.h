// SPDX-License-Identifier: Apache-2.0
// Runs a program as a child process for end-to-end tests.
#pragma once

#include <string>
#include <vector>

namespace marlo::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

struct ProcessOptions {
  std::string input;          // fed to standard input (pipe), then closed
  std::string inputPath;      // standard input is this file instead (such as /dev/null)
  bool unprivileged = false;  // when running as root, run the child as nobody
  std::string workingDirectory;
  std::string outputPath;    // standard output goes to this file (such as /dev/full)
  bool closeOutput = false;  // standard output is closed
  bool closeInput = false;   // standard input is closed
};

ProcessResult RunProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

// Runs the program on a pseudo-terminal, typing `typed` and reading what it
// prints there (standard output and error together).
ProcessResult RunOnTerminal(const std::vector<std::string>& argv, const std::string& typed);

}  // namespace marlo::test
