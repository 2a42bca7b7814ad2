// SPDX-License-Identifier: Apache-2.0
// marlo-convert: the conversion run for scripts and servers.
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <iostream>

#include "CommandLine.h"
#include "ConvMarlo.h"
#include "ConversionRun.h"
#include "ConversionTypes.h"
#include "StreamFilter.h"
#include "TerminalHost.h"
#include "UserTexts.h"

namespace {

std::atomic<bool> stopRequested{false};

// The first interrupt stops between files, so no file is left half done; a
// second one ends the program at once.
void OnInterrupt(int) {
  stopRequested = true;
  ::signal(SIGINT, SIG_DFL);
  ::signal(SIGTERM, SIG_DFL);
}

std::string FolderOf(const std::string& file) {
  const std::string folder = std::filesystem::path(file).parent_path().string();
  return folder.empty() ? "." : folder;
}

int UsageError(const std::string& message) {
  std::cerr << "marlo-convert: " << message << "\nTry 'marlo-convert --help'.\n";
  return 2;
}

int ConvertFiles(const marlo::ConvMarlo& engine, const marlo::cli::Options& options) {
  marlo::RunSettings settings;
  settings.convType = options.type;
  settings.handleExistFile = options.handleExistFile;
  settings.targetFolderText =
      options.targetFolder.empty()
          ? marlo::DefaultTargetFolder(FolderOf(options.files.front()), options.type)
          : options.targetFolder;
  for (const std::string& file : options.files)
    settings.entries.push_back({file, std::filesystem::path(file).filename().string()});

  ::signal(SIGINT, OnInterrupt);
  ::signal(SIGTERM, OnInterrupt);
  marlo::cli::TerminalHost host(stopRequested);
  const marlo::RunOutcome outcome = marlo::ConversionRun(engine, settings).Run(host);
  if (outcome != marlo::RunOutcome::kFinished && outcome != marlo::RunOutcome::kStopped) return 1;
  const int handled = host.converted() + host.failed();
  std::cout << "共 " << settings.entries.size() << " 個文件: " << host.converted()
            << " 個轉換成功, " << host.failed() << " 個失敗";
  if (outcome == marlo::RunOutcome::kStopped)
    std::cout << ", " << (int(settings.entries.size()) - handled) << " 個未處理 (已停止)";
  std::cout << "\n";
  if (outcome == marlo::RunOutcome::kStopped) return 130;
  return host.failed() == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const auto parsed = marlo::cli::ParseCommandLine(argc, argv);
  if (!parsed.options) return UsageError(parsed.error);
  const marlo::cli::Options& options = *parsed.options;
  using Action = marlo::cli::Options::Action;
  switch (options.action) {
    case Action::kHelp:
      std::cout << marlo::cli::UsageText();
      return 0;
    case Action::kVersion:
      std::cout << "marlo-convert " << MARLO_VERSION << "\n";
      return 0;
    case Action::kListTypes:
      for (const marlo::ConversionType& type : marlo::ConversionTypes())
        std::cout << type.index << "\t" << type.identifier << "\t" << type.caption << "\n";
      return 0;
    case Action::kConvert:
    case Action::kFilter:
      break;
  }

  marlo::ConvMarlo engine;
  try {
    engine.InitMe();
  } catch (const std::exception& e) {
    std::cerr << "marlo-convert: " << marlo::text::kEngineNotReady << " (" << e.what() << ")\n";
    return 1;
  }
  if (options.action == Action::kFilter) {
    const std::string error =
        marlo::cli::FilterStream(engine, options.type, STDIN_FILENO, STDOUT_FILENO);
    if (error.empty()) return 0;
    std::cerr << "marlo-convert: " << error << "\n";
    return 1;
  }
  return ConvertFiles(engine, options);
}
