// SPDX-License-Identifier: Apache-2.0
#include "cli/CommandLine.h"

#include <getopt.h>

#include <charconv>
#include <optional>

#include "batch/ConversionRun.h"
#include "batch/ConversionTypes.h"

namespace marlo::cli {

std::string UsageText() {
  return "Usage: marlo-convert -t TYPE [-o TARGET_DIR] [-e skip|ask|overwrite]\n"
         "                     [--from-utf8] [--to-utf8] [--lossy] [--strict]\n"
         "                     [--phrases] [-j N] FILE...\n"
         "       marlo-convert -t TYPE [OPTIONS] -r FOLDER...\n"
         "       marlo-convert -t TYPE [-] < INPUT > OUTPUT\n"
         "       marlo-convert --list-types | --help | --version\n"
         "\n"
         "Converts Chinese text files between GB2312, Big5, GBK, CNS 11643 and a UCS-2\n"
         "byte form, byte for byte. Each FILE is written under its own name into\n"
         "TARGET_DIR, by default a folder named after TYPE beside the first FILE.\n"
         "With no FILE, or with -, converts standard input to standard output.\n"
         "\n"
         "  -t, --type TYPE       conversion type: an identifier such as BigToGb (any\n"
         "                        letter case) or an index 0..13; see --list-types\n"
         "  -o, --output-dir DIR  target folder (created if its parent exists)\n"
         "  -e, --existing WHAT   when a target file exists: skip (default), ask, or\n"
         "                        overwrite; ask counts as skip without a terminal\n"
         "      --from-utf8       the input is UTF-8: encode it into the type's source\n"
         "                        form (GBK, Big5 or UCS-2) first; characters that form\n"
         "                        cannot hold are replaced and counted on standard error;\n"
         "                        a byte-order mark at the start is dropped\n"
         "      --to-utf8         decode the type's output into UTF-8\n"
         "      --lossy           with --from-utf8, take invalid UTF-8 as U+FFFD instead\n"
         "                        of failing at its byte offset; such sequences are\n"
         "                        counted apart from the characters the form lacks\n"
         "      --strict          fail a file whose bytes do not look like the type's\n"
         "                        source code (more than 1% of its non-ASCII characters\n"
         "                        invalid) and write nothing for it; without it a\n"
         "                        warning says what the bytes look like instead\n"
         "      --phrases         with BigToGb, GbToBig and GbToBigToGbk: convert whole\n"
         "                        phrases first, Taiwan usage on the traditional side\n"
         "                        (軟體 ⇄ 软件, 乾燥 → 干燥), characters elsewhere; the\n"
         "                        output may then differ from the input in length\n"
         "  -r, --recursive       the arguments are folders: convert every regular file\n"
         "                        under them into the same tree under TARGET_DIR (by\n"
         "                        default a folder named after TYPE in the first one),\n"
         "                        skipping the window's ignored file types; links to\n"
         "                        folders are not followed\n"
         "      --ignore LIST     with -r, the file types to skip instead, such as\n"
         "                        \".EXE;.ZIP\" (the tail from a name's first dot is\n"
         "                        looked for in the list, in any letter case)\n"
         "  -j, --jobs N          convert N files at once (default: one per processor);\n"
         "                        the report stays in the order of the files\n"
         "  -l, --list-types      list the fourteen conversion types\n"
         "  -h, --help            show this help\n"
         "  -V, --version         show the version\n"
         "\n"
         "Example: marlo-convert -t BigToGb --from-utf8 --to-utf8 < traditional.txt > "
         "simplified.txt\n"
         "\n"
         "Exit status: 0 when every file converted or was skipped, 1 when any failed or\n"
         "the report could not be written, 2 on a usage error, 130 when interrupted.\n";
}

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
          return {std::nullopt, "-e takes skip, ask or overwrite, not '" + what + "'"};
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
          return {std::nullopt,
                  "-j takes a number of files from 1 to 256, not '" + std::string(text) + "'"};
        options.jobs = jobs;
        break;
      }
      case ':':
        return {std::nullopt, std::string("option ") + argv[::optind - 1] + " needs a value"};
      default:
        return {std::nullopt, std::string("unknown option ") + argv[::optind - 1]};
    }
  }
  if (help)
    options.action = Options::Action::kHelp;
  else if (version)
    options.action = Options::Action::kVersion;
  else if (listTypes)
    options.action = Options::Action::kListTypes;
  if (options.action != Options::Action::kConvert) return {options, ""};

  if (typeText.empty())
    return {std::nullopt, "no conversion type: add -t TYPE (see marlo-convert --list-types)"};
  const auto type = FindConversionType(typeText);
  if (!type)
    return {std::nullopt, "unknown conversion type '" + typeText +
                              "': use an identifier or index from marlo-convert --list-types"};
  options.type = *type;
  if (options.lossy && !options.fromUtf8) return {std::nullopt, "--lossy goes with --from-utf8"};
  if (options.phrases && !TakesPhrases(options.type))
    return {std::nullopt, "--phrases goes with BigToGb, GbToBig or GbToBigToGbk"};
  for (int k = ::optind; k < argc; ++k) options.files.emplace_back(argv[k]);
  if (options.recursive && options.files.empty())
    return {std::nullopt, "-r needs the folders to convert"};
  if (options.ignoreList && !options.recursive) return {std::nullopt, "--ignore goes with -r"};
  if (options.files.empty() || (options.files.size() == 1 && options.files[0] == "-")) {
    options.action = Options::Action::kFilter;
    options.files.clear();
  } else {
    for (const std::string& file : options.files)
      if (file == "-") return {std::nullopt, "- (standard input) cannot be mixed with files"};
  }
  return {options, ""};
}

}  // namespace marlo::cli
