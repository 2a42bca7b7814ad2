#include "ConversionRun.h"

#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <new>

#include "ConversionTypes.h"
#include "TextFile.h"

namespace marlo {

namespace {

std::string TrimBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

uint64_t DefaultMaxFileBytes() {
  const long pages = ::sysconf(_SC_PHYS_PAGES);
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return UINT64_MAX;
  return uint64_t(pages) * uint64_t(pageSize) / 4;
}

bool IsSameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

int64_t ConversionRun::SystemClock() { return int64_t(std::time(nullptr)); }

ConversionRun::ConversionRun(const ConvMarlo& engine, RunSettings settings, Clock clock)
    : engine_(engine), settings_(std::move(settings)), clock_(std::move(clock)) {
  if (settings_.maxFileBytes == 0) settings_.maxFileBytes = DefaultMaxFileBytes();
}

RunOutcome ConversionRun::Run(RunHost& host) {
  const std::string folder = TrimBlanks(settings_.targetFolderText);
  if (folder.empty()) {
    host.ShowError(kNoTargetFolderText);
    host.RunEnded(RunOutcome::kNoTargetFolder);
    return RunOutcome::kNoTargetFolder;
  }
  try {
    if (!textfile::FolderExists(folder)) textfile::CreateFolder(folder);
  } catch (const std::exception& e) {
    host.ShowError(e.what());
    host.SetBusy(false);
    host.RunEnded(RunOutcome::kAborted);
    return RunOutcome::kAborted;
  }

  host.SetBusy(true);
  const auto count = int32_t(settings_.entries.size());
  host.RunStarted(count);
  host.SetProgressMax(count);
  int32_t done = 0;
  for (const RunEntry& entry : settings_.entries) {
    host.Yield();
    if (host.StopRequested()) {
      host.SetBusy(false);
      host.RunEnded(RunOutcome::kStopped);
      return RunOutcome::kStopped;
    }
    host.CurrentFile(entry.fileName);
    const RunRow row = ConvertOne(host, entry, folder);
    host.AddRow(row);
    if (row.iconKey == "pOk") host.SetProgressValue(++done);
  }
  host.SetProgressValue(0);
  host.CurrentFile("");
  host.SetBusy(false);
  host.RunEnded(RunOutcome::kFinished);
  return RunOutcome::kFinished;
}

RunRow ConversionRun::ConvertOne(RunHost& host, const RunEntry& entry, const std::string& folder) {
  try {
    const int64_t start = clock_();
    const std::string source = textfile::ReadAll(entry.fullPath, settings_.maxFileBytes);
    const auto result = ConvertWithType(engine_, settings_.convType, source);
    const int64_t end = clock_();

    const std::string target = folder + "/" + entry.fileName;
    bool write = true;
    if (textfile::FileExists(target)) {
      if (settings_.handleExistFile == kSkipFile) write = false;
      if (settings_.handleExistFile == kAskUser) write = host.AskOverwrite(target);
    }
    if (write && IsSameFile(target, entry.fullPath))
      throw textfile::FileError("無法寫入文件 \"" + target + "\": 目標文件就是源文件,未覆蓋");
    if (write) textfile::WriteAll(target, result->strResult);
    return {"pOk", entry.fileName, std::to_string(end - start), kConvertedText, target};
  } catch (const std::bad_alloc&) {
    return {"pError", entry.fileName, "", "內存不足,無法轉換該文件", ""};
  } catch (const std::exception& e) {
    return {"pError", entry.fileName, "", e.what(), ""};
  }
}

}  // namespace marlo
