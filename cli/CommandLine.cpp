// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandLine.h"

#include <getopt.h>

#include <charconv>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <utility>

#include "batch/CodePairs.h"
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
std::string DidYouMean(const std::string& word, const std::vector<std::string>& candidates) {
  const std::string closest = Closest(word, candidates);
  return closest.empty() ? std::string() : text::Fill(text::Tr(text::kDidYouMean), {closest});
}

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

// What the options say, before they are checked against each other: an
// error, or none.
struct Given {
  Options options;
  bool listTypes = false, help = false, version = false;
  std::string type, from, to;
};

// The value a word names among an option's choices; false for another word.
template <typename Value>
bool Choose(std::string_view word,
            std::initializer_list<std::pair<std::string_view, Value>> choices, Value& value) {
  for (const auto& [name, chosen] : choices)
    if (word == name) {
      value = chosen;
      return true;
    }
  return false;
}

std::string ReadOptions(int argc, char** argv, Given& given) {
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
                                        {"ignore-none", no_argument, nullptr, 'N'},
                                        {"on-doubt", required_argument, nullptr, 'D'},
                                        {"jobs", required_argument, nullptr, 'j'},
                                        {"phrases", no_argument, nullptr, 'P'},
                                        {"from", required_argument, nullptr, 'f'},
                                        {"to", required_argument, nullptr, 'T'},
                                        {"files-from", required_argument, nullptr, 'X'},
                                        {"null", no_argument, nullptr, '0'},
                                        {nullptr, 0, nullptr, 0}};
  Options& options = given.options;
  ::opterr = 0;
  ::optind = 1;
  int c;
  while ((c = ::getopt_long(argc, argv, ":t:o:e:j:f:lhVr0", kLongOptions, nullptr)) != -1) {
    switch (c) {
      case 't':
        given.type = ::optarg;
        break;
      case 'o':
        options.targetFolder = ::optarg;
        if (options.targetFolder.find_first_not_of(' ') == std::string::npos)
          return text::Tr(text::kOutputFolderEmpty);
        break;
      case 'e':
        if (!Choose(::optarg,
                    {{"skip", ExistingFile::kSkip},
                     {"ask", ExistingFile::kAsk},
                     {"overwrite", ExistingFile::kOverwrite}},
                    options.handleExistFile))
          return text::Fill(text::Tr(text::kBadExisting), {::optarg});
        break;
      case 'l':
        given.listTypes = true;
        break;
      case 'h':
        given.help = true;
        break;
      case 'V':
        given.version = true;
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
      case 'f':
      case 'T': {
        // One code each way: a second would leave a script's run to the
        // order of its words.
        std::string& code = c == 'f' ? given.from : given.to;
        if (!code.empty() && code != ::optarg)
          return text::Fill(text::Tr(text::kGivenTwice), {c == 'f' ? "--from" : "--to"});
        code = ::optarg;
        break;
      }
      case 'X':
        options.filesFrom = ::optarg;
        break;
      case '0':
        options.nulSeparated = true;
        break;
      case 'r':
        options.recursive = true;
        break;
      case 'I':
        options.ignoreList = ::optarg;
        break;
      case 'N':
        options.ignoreList = "";
        break;
      case 'D':
        if (!Choose(::optarg,
                    {{"convert", OnDoubt::kConvert},
                     {"skip", OnDoubt::kSkip},
                     {"fail", OnDoubt::kFail}},
                    options.onDoubt))
          return text::Fill(text::Tr(text::kBadOnDoubt), {::optarg});
        break;
      case 'j': {
        const std::string_view text = ::optarg;
        int32_t jobs = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
        if (error != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > 256)
          return text::Fill(text::Tr(text::kBadJobs), {text});
        options.jobs = jobs;
        break;
      }
      case ':':
        return text::Fill(text::Tr(text::kOptionNeedsValue), {argv[::optind - 1]});
      default:
        return text::Fill(text::Tr(text::kUnknownOption), {argv[::optind - 1]});
    }
  }
  for (int k = ::optind; k < argc; ++k) options.files.emplace_back(argv[k]);
  return {};
}

// The type named by -t, or by the codes of --from and --to, with the UTF-8
// ends the codes ask for.
std::string ChooseType(const Given& given, Options& options) {
  if (given.from.empty() && given.to.empty()) {
    if (given.type.empty()) return text::Tr(text::kNoType);
    const auto type = FindConversionType(given.type);
    if (!type) {
      std::vector<std::string> names;
      for (const ConversionType& known : ConversionTypes()) names.emplace_back(known.identifier);
      return text::Fill(text::Tr(text::kUnknownType), {given.type}) + DidYouMean(given.type, names);
    }
    options.type = *type;
    return {};
  }
  // iconv's spelling: with -f, -t names the code written, not a type.
  if (!given.to.empty() && !given.type.empty()) return text::Tr(text::kTypeAndCodes);
  const std::string& from = given.from;
  const std::string& to = given.to.empty() ? given.type : given.to;
  if (from.empty() || to.empty()) return text::Tr(text::kCodesNeedBoth);
  for (const std::string& code : {from, to})
    if (CanonicalCodeName(code).empty())
      return text::Fill(text::Tr(text::kUnknownCode), {code}) +
             DidYouMean(code, CodeNameSpellings());
  const std::string source = CanonicalCodeName(from), target = CanonicalCodeName(to);
  if (source == "utf-16le" || target == "utf-16le") return text::Tr(text::kNoUtf16);
  if (source == "euc-tw" || target == "euc-tw") return text::Tr(text::kNoEucTw);
  if (target == "gb2312" && (source == "gbk" || source == "utf-8"))
    return text::Fill(text::Tr(text::kNoTypeIntoGb2312), {from});
  const std::optional<CodePair> pair = FindCodePair(from, to);
  if (!pair) return text::Fill(text::Tr(text::kNoTypeForCodes), {from, to});
  if ((options.toUtf8 && !pair->toUtf8) || (options.fromUtf8 && !pair->fromUtf8))
    return text::Fill(text::Tr(text::kUtf8EndAndCode),
                      {options.toUtf8 && !pair->toUtf8 ? "--to-utf8" : "--from-utf8",
                       options.toUtf8 && !pair->toUtf8 ? to : from});
  options.type = pair->type;
  options.fromUtf8 = options.fromUtf8 || pair->fromUtf8;
  options.toUtf8 = options.toUtf8 || pair->toUtf8;
  options.gbkByCharacter = pair->gbkByCharacter;
  return {};
}

// Whether the options make sense together, and what the names given make
// of the run: files, a filter of standard input, or one file to standard
// output.
std::string CheckTogether(Options& options) {
  if (options.lossy && !options.fromUtf8) return text::Tr(text::kLossyNeedsFromUtf8);
  if (options.phrases && !TakesPhrases(options.type)) return text::Tr(text::kPhrasesNeedType);
  if (options.toUtf8 && !WritesUtf8(options.type))
    return text::Fill(text::Tr(text::kNoUtf8Output), {GetConvTypeName(options.type)});
  if (options.nulSeparated && !options.filesFrom) return text::Tr(text::kNullNeedsFilesFrom);
  if (options.filesFrom) {
    // The names come from the list, not as arguments, and never make a
    // filter: standard input may be the list itself.
    if (options.recursive || !options.files.empty() || options.targetFolder == "-")
      return text::Tr(text::kFilesFromAlone);
    return {};
  }
  if (options.recursive && options.files.empty()) return text::Tr(text::kRecursiveNeedsFolders);
  if (options.ignoreList && !options.recursive) return text::Tr(text::kIgnoreNeedsRecursive);
  // -o -: one file converted to standard output, as the filter converts
  // standard input; no report there, only the text.
  if (options.targetFolder == "-") {
    if (options.recursive || options.files.size() != 1 || options.files[0] == "-")
      return text::Tr(text::kDashOutputOneFile);
    options.toStandardOutput = true;
    options.targetFolder.clear();
    options.action = Options::Action::kFilter;
    return {};
  }
  if (options.files.empty() || (options.files.size() == 1 && options.files[0] == "-")) {
    options.action = Options::Action::kFilter;
    options.files.clear();
    // The filter writes to standard output: an -o would be ignored.
    if (!options.targetFolder.empty()) return text::Tr(text::kOutputInFilter);
  } else {
    for (const std::string& file : options.files)
      if (file == "-") return text::Tr(text::kStandardInputMixed);
  }
  if (!options.targetFolder.empty() && LooksLikeATargetFile(options))
    return text::Fill(text::Tr(text::kOutputLooksLikeFile), {options.targetFolder});
  return {};
}

}  // namespace

ParseResult ParseCommandLine(int argc, char** argv) {
  Given given;
  Options& options = given.options;
  std::string error = ReadOptions(argc, argv, given);
  if (!error.empty()) return {std::nullopt, error};
  if (given.help)
    options.action = Options::Action::kHelp;
  else if (given.version)
    options.action = Options::Action::kVersion;
  else if (given.listTypes)
    options.action = Options::Action::kListTypes;
  if (options.action != Options::Action::kConvert) return {options, ""};
  error = ChooseType(given, options);
  if (error.empty()) error = CheckTogether(options);
  if (!error.empty()) return {std::nullopt, error};
  return {options, ""};
}

}  // namespace marlo::cli
