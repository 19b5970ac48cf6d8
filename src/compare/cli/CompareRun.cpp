#include "compare/cli/CompareRun.h"

#include <new>
#include <optional>
#include <unordered_set>

#include "compare/cli/CommandLine.h"
#include "compare/cli/FileNames.h"
#include "compare/cli/Interrupts.h"
#include "compare/cli/Progress.h"
#include "compare/cli/Utf8.h"
#include "compare/comparison/Columns.h"
#include "compare/comparison/Comparison.h"
#include "compare/output/OutputFile.h"
#include "compare/output/Outputs.h"
#include "compare/output/TerminalText.h"
#include "compare/read/ReportLayout.h"
#include "compare/read/ReportParser.h"
#include "kelvane/Version.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

bool BeginsLikePage(const fs::path& path) {
  try {
    InputFile file(path, ShownText(ShownName(path)));
    return BeginsWith(file, kPageStart);
  } catch (const InputError&) {
    return false;
  }
}

// The output files: the JSON written as the reports are read, and the page,
// written once all are in.
class OutputFiles {
 public:
  explicit OutputFiles(const Options& options) {
    if (options.html) html_ = Add("--html", *options.html);
    for (const auto& [path, lines] :
         {std::pair{&options.json, false}, std::pair{&options.jsonl, true}}) {
      if (!*path) continue;
      const std::size_t file = Add(lines ? "--jsonl" : "--json", **path);
      json_.emplace_back(lines, [this, file](std::string_view bytes) {
        files_[file].Write(bytes);
      });
    }
  }

  // The option whose output would replace the file, if one would.
  const char* Replacing(const FileIdentity& identity) const {
    for (std::size_t i = 0; i < files_.size(); ++i)
      if (files_[i].Replaces() == identity) return options_[i];
    return nullptr;
  }

  // The adapters added to the comparison since the last call.
  void WriteAdapters(const Comparison& comparison) {
    for (JsonWriter& json : json_) json.Write(comparison);
  }

  void Finish(const Columns& columns, const std::string& summary) {
    for (JsonWriter& json : json_) json.Finish();
    if (html_)
      WriteHtml(columns, summary, [this](std::string_view bytes) {
        files_[*html_].Write(bytes);
      });
    for (PendingFile& file : files_) file.Finish();
  }

  void Commit() { CommitAll(files_); }

  // A report where an output belongs (`--html pc1.html pc2.html`, its FILE
  // forgotten) is never replaced.
  void RefuseReports() const {
    for (std::size_t i = 0; i < files_.size(); ++i) {
      const fs::path& target = files_[i].Target();
      std::error_code error;
      if (files_[i].IsStandardOutput() || !fs::is_regular_file(target, error))
        continue;
      const std::string shown = ShownText(ShownName(target));
      bool report = false;
      try {
        InputFile file(target, shown);
        report = BeginsLikeReport(file);
      } catch (const InputError&) {
      }
      if (report)
        throw OutputError(std::string(options_[i]) + " would replace " + shown +
                          ", a Kelvane report: name another FILE, or remove "
                          "the report first to replace it");
    }
  }

  bool WriteStandardOutput() const {
    for (const PendingFile& file : files_)
      if (file.IsStandardOutput()) return true;
    return false;
  }

 private:
  std::size_t Add(const char* option, const fs::path& target) {
    files_.emplace_back(target);
    options_.push_back(option);
    return files_.size() - 1;
  }

  std::vector<PendingFile> files_;
  std::vector<const char*> options_;
  std::optional<std::size_t> html_;
  std::vector<JsonWriter> json_;
};

struct Reading {
  Reading(std::vector<Condition> conditions, MachineRule machines)
      : comparison(std::move(conditions), machines) {}
  Comparison comparison;
  std::size_t skipped = 0;
  bool troubled = false;
};

// Every report, each file once however it was reached; every trouble told.
// No output is put in place before all are read.
Reading ReadInputs(const Options& options, OutputFiles& outputs,
                   std::ostream& err, ProgressLine& progress) {
  Inputs inputs = ExpandInputs(
      options.reports,
      [&progress](std::size_t found) { progress.Found(found); },
      !options.noFollow);
  for (const ListFile& list : inputs.lists)
    if (const char* option = outputs.Replacing(list.identity))
      throw OutputError(std::string(option) + " names the list file " +
                        ShownText(NameToUtf8(list.shown)) +
                        ", which it would replace");
  Reading reading(options.conditions, options.machines);
  const auto tell = [&](const std::string& trouble) {
    progress.Erase();
    err << trouble << "\n";
    // With --skip-bad what cannot be read is left out like a bad report.
    (options.skipBad ? ++reading.skipped : reading.troubled = true);
  };
  for (const std::string& trouble : inputs.troubles) tell(trouble);
  std::unordered_set<FileIdentity, FileIdentityHash> seen;
  const std::size_t total = inputs.reports.size();
  for (std::size_t n = 0; n < total; ++n) {
    progress.Read(n, total);
    InputReport& input = inputs.reports[n];
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
      // The name's own bytes: --files gives them back as they are.
      reading.comparison.Add(ReadReport(file, NameBytes(path)));
      outputs.WriteAdapters(reading.comparison);
    } catch (const InputError& error) {
      tell(ListPlace(inputs, input) + error.what());
    } catch (const ReportError& error) {
      // A page of this tool's own, left by an earlier run, is no trouble.
      if (input.inFolder && BeginsLikePage(path)) {
        progress.Erase();
        err << ShownText(shown) << ": a kelvane-compare page, left out\n";
        continue;
      }
      // The first report that cannot be read says what to do about it.
      const bool hint = !options.skipBad && !reading.troubled;
      tell(ListPlace(inputs, input) + error.what() +
           (hint ? "; --skip-bad leaves out what cannot be read" : ""));
    }
  }
  progress.Erase();
  return reading;
}

int CompareAndWrite(const Options& options, std::ostream& out,
                    std::ostream& err, bool showProgress) {
  OutputFiles outputs(options);
  ProgressLine progress(showProgress ? &err : nullptr);
  Reading reading = ReadInputs(options, outputs, err, progress);
  const Comparison& comparison = reading.comparison;
  if (reading.troubled) return 2;
  outputs.RefuseReports();
  if (comparison.ReportsRead() == 0) {
    err << "kelvane-compare: no report "
        << (reading.skipped > 0 ? "could be read" : "was found") << "\n";
    return 2;
  }
  if (comparison.Files().empty()) {
    if (options.conditions.empty()) {
      err << "kelvane-compare: no report holds an adapter\n";
      return 2;
    }
    // Reports were read, and no adapter meets --where: grep's "none".
    if (!options.files) err << "kelvane-compare: no adapter meets --where\n";
    return 1;
  }
  if (options.files && !options.null)
    for (const std::string& file : comparison.Files())
      if (file.find('\n') != std::string::npos) {
        err << "kelvane-compare: a name holds a line feed: --null ends each "
               "name with NUL, for xargs -0\n";
        break;
      }
  const Columns columns(comparison, options.grouping);
  const std::string summary = Summarize(columns, reading.skipped);
  outputs.Finish(columns, summary);
  {
    // A reader that stops early (`| head`) ends the text, not the run: the
    // files asked for are still written whole.
    const PipeSignalIgnored whileWritingText;
    // An output sent to the standard output has it to itself.
    const bool text = !outputs.WriteStandardOutput();
    if (text && options.files) {
      out << FormatFiles(comparison, options.null ? '\0' : '\n');
    } else if (text) {
      // The coverage names no column.
      out << (options.coverage
                  ? FormatCoverage(comparison)
                  : FormatLegend(columns) + FormatDifferences(columns))
          << summary << "\n";
    }
    out.flush();
  }
  if (!out && !ReaderWentAway()) {
    err << "kelvane-compare: the standard output cannot be written\n";
    return 2;
  }
  outputs.Commit();
  if (options.files) return comparison.Files().empty() ? 1 : 0;
  return comparison.DifferingRows() == 0 ? 0 : 1;
}

int UsageTrouble(const std::string& what, std::ostream& err) {
  err << "kelvane-compare: " << what
      << " (kelvane-compare --help tells how to use it)\n";
  return 2;
}

}  // namespace

int RunCompare(const std::vector<Argument>& arguments, std::ostream& out,
               std::ostream& err, bool showProgress) {
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
    return CompareAndWrite(options, out, err, showProgress);
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
