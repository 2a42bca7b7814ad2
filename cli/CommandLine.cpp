// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandLine.h"

#include <getopt.h>

#include <charconv>
#include <filesystem>
#include <optional>

#include "batch/ConversionRun.h"
#include "batch/ConversionTypes.h"
#include "batch/UserTexts.h"

namespace marlo::cli {

std::string UsageText() { return text::Tr(text::kUsage); }

namespace {

// "-o out.txt in.txt" means a file to most users, where -o is the folder
// the converted files go into under their own names: an existing file, or
// with one input a name of the input's extension, is asked about rather
// than made into a folder.
bool LooksLikeATargetFile(const Options& options) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path target(options.targetFolder);
  // One look: another run may be making the folder just now.
  const fs::file_status status = fs::status(target, error);
  if (fs::is_directory(status)) return false;
  if (fs::exists(status)) return true;
  if (options.recursive || options.files.size() != 1) return false;
  const fs::path extension = fs::path(options.files.front()).extension();
  return !extension.empty() && target.extension() == extension;
}

}  // namespace

ParseResult ParseCommandLine(int argc, char** argv) {
  static const option kLongOptions[] = {{"type", required_argument, nullptr, 't'},
                                        {"output-dir", required_argument, nullptr, 'o'},
                                        {"existing", required_argument, nullptr, 'e'},
                                        {"list-types", no_argument, nullptr, 'l'},
                                        {"help", no_argument, nullptr, 'h'},
                                        {"version", no_argument, nullptr, 'V'},
                                        {"from-utf8", no_argument, nullptr, 'F'},
                                        {"to-utf8", no_argument, nullptr, 'U'},
                                        {"lossy", no_argument, nullptr, 'L'},
                                        {"strict", no_argument, nullptr, 'S'},
                                        {"recursive", no_argument, nullptr, 'r'},
                                        {"ignore", required_argument, nullptr, 'I'},
                                        {"jobs", required_argument, nullptr, 'j'},
                                        {"phrases", no_argument, nullptr, 'P'},
                                        {nullptr, 0, nullptr, 0}};
  Options options;
  bool listTypes = false, help = false, version = false;
  std::string typeText;
  ::opterr = 0;
  ::optind = 1;
  int c;
  while ((c = ::getopt_long(argc, argv, ":t:o:e:j:lhVr", kLongOptions, nullptr)) != -1) {
    switch (c) {
      case 't':
        typeText = ::optarg;
        break;
      case 'o':
        options.targetFolder = ::optarg;
        if (options.targetFolder.find_first_not_of(' ') == std::string::npos)
          return {std::nullopt, "-o needs a folder name, not an empty one"};
        break;
      case 'e': {
        const std::string what = ::optarg;
        if (what == "skip")
          options.handleExistFile = ExistingFile::kSkip;
        else if (what == "ask")
          options.handleExistFile = ExistingFile::kAsk;
        else if (what == "overwrite")
          options.handleExistFile = ExistingFile::kOverwrite;
        else
          return {std::nullopt, text::Fill(text::Tr(text::kBadExisting), {what})};
        break;
      }
      case 'l':
        listTypes = true;
        break;
      case 'h':
        help = true;
        break;
      case 'V':
        version = true;
        break;
      case 'F':
        options.fromUtf8 = true;
        break;
      case 'U':
        options.toUtf8 = true;
        break;
      case 'L':
        options.lossy = true;
        break;
      case 'S':
        options.strict = true;
        break;
      case 'P':
        options.phrases = true;
        break;
      case 'r':
        options.recursive = true;
        break;
      case 'I':
        options.ignoreList = ::optarg;
        break;
      case 'j': {
        const std::string_view text = ::optarg;
        int32_t jobs = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
        if (error != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > 256)
          return {std::nullopt, text::Fill(text::Tr(text::kBadJobs), {text})};
        options.jobs = jobs;
        break;
      }
      case ':':
        return {std::nullopt, text::Fill(text::Tr(text::kOptionNeedsValue), {argv[::optind - 1]})};
      default:
        return {std::nullopt, text::Fill(text::Tr(text::kUnknownOption), {argv[::optind - 1]})};
    }
  }
  if (help)
    options.action = Options::Action::kHelp;
  else if (version)
    options.action = Options::Action::kVersion;
  else if (listTypes)
    options.action = Options::Action::kListTypes;
  if (options.action != Options::Action::kConvert) return {options, ""};

  if (typeText.empty()) return {std::nullopt, text::Tr(text::kNoType)};
  const auto type = FindConversionType(typeText);
  if (!type) return {std::nullopt, text::Fill(text::Tr(text::kUnknownType), {typeText})};
  options.type = *type;
  if (options.lossy && !options.fromUtf8)
    return {std::nullopt, text::Tr(text::kLossyNeedsFromUtf8)};
  if (options.phrases && !TakesPhrases(options.type))
    return {std::nullopt, text::Tr(text::kPhrasesNeedType)};
  if (options.toUtf8 && !WritesUtf8(options.type))
    return {std::nullopt,
            text::Fill(text::Tr(text::kNoUtf8Output), {GetConvTypeName(options.type)})};
  for (int k = ::optind; k < argc; ++k) options.files.emplace_back(argv[k]);
  if (options.recursive && options.files.empty())
    return {std::nullopt, text::Tr(text::kRecursiveNeedsFolders)};
  if (options.ignoreList && !options.recursive)
    return {std::nullopt, text::Tr(text::kIgnoreNeedsRecursive)};
  // -o -: one file converted to standard output, as the filter converts
  // standard input; no report there, only the text.
  if (options.targetFolder == "-") {
    if (options.recursive || options.files.size() != 1 || options.files[0] == "-")
      return {std::nullopt, text::Tr(text::kDashOutputOneFile)};
    options.toStandardOutput = true;
    options.targetFolder.clear();
    options.action = Options::Action::kFilter;
    return {options, ""};
  }
  if (options.files.empty() || (options.files.size() == 1 && options.files[0] == "-")) {
    options.action = Options::Action::kFilter;
    options.files.clear();
    // The filter writes to standard output: an -o would be ignored.
    if (!options.targetFolder.empty()) return {std::nullopt, text::Tr(text::kOutputInFilter)};
  } else {
    for (const std::string& file : options.files)
      if (file == "-") return {std::nullopt, text::Tr(text::kStandardInputMixed)};
  }
  if (!options.targetFolder.empty() && LooksLikeATargetFile(options))
    return {std::nullopt, text::Fill(text::Tr(text::kOutputLooksLikeFile), {options.targetFolder})};
  return {options, ""};
}

}  // namespace marlo::cli
