#include "compare/CompareRun.h"

#include <new>
#include <optional>
#include <unordered_set>

#include "compare/Comparison.h"
#include "compare/FileNames.h"
#include "compare/OutputFile.h"
#include "compare/Outputs.h"
#include "compare/ReportParser.h"
#include "compare/TerminalText.h"
#include "compare/Utf8.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] =
    "usage: kelvane-compare [--html FILE] [--json FILE] [--jsonl FILE]\n"
    "                       [--coverage] [--skip-bad] "
    "REPORT|FOLDER|@LISTFILE...\n"
    "Compares the DeviceCaps.html reports of Kelvane. Adapters that show the\n"
    "same in every row form one configuration, and every configuration is a\n"
    "column; it prints the columns, then the rows that differ.\n"
    "  FOLDER        every *.html file beneath it\n"
    "  @LISTFILE     the paths in the file, one a line\n"
    "  --coverage    for every differing row, how many adapters show each "
    "value\n"
    "  --skip-bad    leave out, and name, the reports that cannot be read\n"
    "  --html FILE   also write the comparison as a page\n"
    "  --json FILE   also write every report as parsed, as JSON\n"
    "  --jsonl FILE  also write every adapter as a line of JSON\n"
    "  --version     print the version\n"
    "Exit status: 0 no row differs, 1 some row differs, 2 trouble.\n";

struct Options {
  std::optional<fs::path> html, json, jsonl;
  std::vector<Argument> reports;
  bool coverage = false, skipBad = false, help = false, version = false;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The output that an option names; "--html FILE" and "--html=FILE" alike.
std::optional<fs::path>* OutputOf(Options& options, std::string_view name) {
  if (name == "--html") return &options.html;
  if (name == "--json") return &options.json;
  if (name == "--jsonl") return &options.jsonl;
  return nullptr;
}

void SetOutput(Options& options, const std::string& name, fs::path path) {
  if (path.empty()) throw UsageError(name + " needs a FILE");
  std::optional<fs::path>& output = *OutputOf(options, name);
  if (output) throw UsageError(name + " is given twice");
  output = std::move(path);
}

Options ParseOptions(const std::vector<Argument>& arguments) {
  Options options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& text = arguments[i].text;
    const std::size_t equals = text.find('=');
    const std::string name = text.substr(0, equals);
    if (optionsEnded || text.empty() || text[0] != '-' || text == "-") {
      options.reports.push_back(arguments[i]);
    } else if (text == "--") {
      optionsEnded = true;
    } else if (text == "--help" || text == "-h") {
      options.help = true;
    } else if (text == "--version") {
      options.version = true;
    } else if (text == "--coverage") {
      options.coverage = true;
    } else if (text == "--skip-bad") {
      options.skipBad = true;
    } else if (OutputOf(options, text)) {
      if (i + 1 == arguments.size()) throw UsageError(text + " needs a FILE");
      SetOutput(options, text, arguments[++i].path);
    } else if (equals != std::string::npos && OutputOf(options, name)) {
      const auto& native = arguments[i].path.native();
      SetOutput(options, name, native.substr(equals + 1));
    } else {
      throw UsageError("unknown option " + ShownText(text));
    }
  }
  if (options.help || options.version) return options;
  if (options.reports.empty()) throw UsageError("no REPORT given");
  const std::pair<const char*, const std::optional<fs::path>*> outputs[] = {
      {"--html", &options.html},
      {"--json", &options.json},
      {"--jsonl", &options.jsonl}};
  for (std::size_t a = 0; a < std::size(outputs); ++a)
    for (std::size_t b = a + 1; b < std::size(outputs); ++b)
      if (*outputs[a].second && *outputs[b].second &&
          IsSameFile(**outputs[a].second, **outputs[b].second))
        throw UsageError(std::string(outputs[a].first) + " and " +
                         outputs[b].first + " name the same file");
  return options;
}

// The output files: those written as the reports are read, and the page,
// written once all are in.
class OutputFiles {
 public:
  explicit OutputFiles(const Options& options) {
    if (options.html) html_ = Add("--html", *options.html);
    if (options.json) {
      json_ = Add("--json", *options.json);
      files_[*json_].Write(FormatJsonStart());
    }
    if (options.jsonl) jsonl_ = Add("--jsonl", *options.jsonl);
  }

  // The option whose output would replace the file, if one would.
  const char* Replacing(const FileIdentity& identity) const {
    for (std::size_t i = 0; i < files_.size(); ++i)
      if (files_[i].Replaces() == identity) return options_[i];
    return nullptr;
  }

  // The report last added to the comparison, its adapters from
  // `firstAdapter` on.
  void WriteAdapters(const Comparison& comparison, std::size_t firstAdapter) {
    if (!json_ && !jsonl_) return;
    for (std::size_t k = bodies_.size(); k < comparison.Configurations().size();
         ++k)
      bodies_.push_back(FormatJsonBody(comparison.Configurations()[k]));
    if (json_)
      files_[*json_].Write(FormatJsonReport(
          comparison, comparison.Files().size() - 1, firstAdapter, bodies_));
    if (jsonl_)
      files_[*jsonl_].Write(FormatJsonLines(comparison, firstAdapter, bodies_));
  }

  void Finish(const Comparison& comparison, const std::string& summary) {
    if (json_) files_[*json_].Write(FormatJsonEnd());
    if (html_)
      WriteHtml(comparison, summary, [this](std::string_view bytes) {
        files_[*html_].Write(bytes);
      });
    for (PendingFile& file : files_) file.Finish();
  }

  void Commit() { CommitAll(files_); }

 private:
  std::size_t Add(const char* option, const fs::path& target) {
    files_.emplace_back(target);
    options_.push_back(option);
    return files_.size() - 1;
  }

  std::vector<PendingFile> files_;
  std::vector<const char*> options_;
  std::optional<std::size_t> html_, json_, jsonl_;
  // Each configuration's JSON, formed once for all its adapters.
  std::vector<std::string> bodies_;
};

struct Reading {
  Comparison comparison;
  std::size_t skipped = 0;
  bool troubled = false;
};

// Every report, each file once however it was reached; every trouble told.
// No output is put in place before all are read.
Reading ReadInputs(const Options& options, OutputFiles& outputs,
                   std::ostream& err) {
  Inputs inputs = ExpandInputs(options.reports);
  for (const ListFile& list : inputs.lists)
    if (const char* option = outputs.Replacing(list.identity))
      throw OutputError(std::string(option) + " names the list file " +
                        ShownText(NameToUtf8(list.shown)) +
                        ", which it would replace");
  Reading reading;
  // With --skip-bad what cannot be read is left out like a bad report.
  for (const std::string& trouble : inputs.troubles) {
    err << trouble << "\n";
    (options.skipBad ? ++reading.skipped : reading.troubled = true);
  }
  std::unordered_set<FileIdentity, FileIdentityHash> seen;
  for (InputReport& input : inputs.reports) {
    const fs::path path(std::move(input.name));
    const std::string shown = ShownName(path);
    try {
      InputFile file(path, ShownText(shown));
      if (const char* option = outputs.Replacing(file.Identity())) {
        // This run's own output of a run before, kept among the reports.
        if (input.inFolder && !BeginsLikeReport(file)) continue;
        throw OutputError(std::string(option) + " names the report " +
                          ShownText(shown) + ", which it would replace");
      }
      if (!seen.insert(file.Identity()).second) continue;
      const std::size_t firstAdapter = reading.comparison.Adapters().size();
      reading.comparison.Add(ReadReport(file, shown));
      outputs.WriteAdapters(reading.comparison, firstAdapter);
    } catch (const std::runtime_error& error) {
      if (!dynamic_cast<const InputError*>(&error) &&
          !dynamic_cast<const ReportError*>(&error))
        throw;
      err << ListPlace(inputs, input) << error.what() << "\n";
      (options.skipBad ? ++reading.skipped : reading.troubled = true);
    }
  }
  return reading;
}

int CompareAndWrite(const Options& options, std::ostream& out,
                    std::ostream& err) {
  OutputFiles outputs(options);
  Reading reading = ReadInputs(options, outputs, err);
  const Comparison& comparison = reading.comparison;
  if (reading.troubled) return 2;
  if (comparison.Files().empty()) {
    err << "kelvane-compare: no report "
        << (reading.skipped > 0 ? "could be read" : "was found") << "\n";
    return 2;
  }
  const std::string summary = Summarize(comparison, reading.skipped);
  outputs.Finish(comparison, summary);
  out << FormatLegend(comparison)
      << (options.coverage ? FormatCoverage(comparison)
                           : FormatDifferences(comparison))
      << summary << "\n";
  out.flush();
  if (!out) {
    err << "kelvane-compare: the standard output cannot be written\n";
    return 2;
  }
  outputs.Commit();
  return comparison.DifferingRows() == 0 ? 0 : 1;
}

int UsageTrouble(const std::string& what, std::ostream& err) {
  err << "kelvane-compare: " << what
      << " (kelvane-compare --help tells how to use it)\n";
  return 2;
}

}  // namespace

int RunCompare(const std::vector<Argument>& arguments, std::ostream& out,
               std::ostream& err) {
  Options options;
  try {
    options = ParseOptions(arguments);
  } catch (const UsageError& error) {
    return UsageTrouble(error.what(), err);
  }
  if (options.help || options.version) {
    out << (options.help ? kUsage : "kelvane-compare " KELVANE_VERSION "\n");
    out.flush();
    return out ? 0 : 2;
  }
  // Every failure is told and ends the run with 2; the outputs' temporary
  // files go as the stack unwinds.
  try {
    return CompareAndWrite(options, out, err);
  } catch (const UsageError& error) {
    return UsageTrouble(error.what(), err);
  } catch (const OutputError& error) {
    err << "kelvane-compare: " << error.what() << "\n";
  } catch (const std::bad_alloc&) {
    err << "kelvane-compare: out of memory\n";
  } catch (const std::exception& error) {
    err << "kelvane-compare: " << error.what() << "\n";
  }
  return 2;
}

}  // namespace kelvane
