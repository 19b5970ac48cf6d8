#include "compare/CompareRun.h"

#include <optional>

#include "compare/Comparison.h"
#include "compare/OutputFile.h"
#include "compare/Outputs.h"
#include "compare/ReportParser.h"

namespace kelvane {
namespace {

constexpr char kUsage[] =
    "usage: kelvane-compare [--html FILE] [--json FILE] REPORT...\n"
    "Compares the DeviceCaps.html reports of Kelvane, every adapter of every\n"
    "report a column, and prints the rows that differ.\n"
    "  --html FILE  also write the comparison as a page\n"
    "  --json FILE  also write every report as parsed, as JSON\n"
    "Exit status: 0 no row differs, 1 some row differs, 2 trouble.\n";

struct Options {
  std::optional<std::string> html;
  std::optional<std::string> json;
  std::vector<std::string> reports;
  bool help = false;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

Options ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.empty() || argument[0] != '-' ||
        argument == "-") {
      options.reports.push_back(argument);
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--html" || argument == "--json") {
      if (i + 1 == arguments.size())
        throw UsageError(argument + " needs a FILE");
      (argument == "--html" ? options.html : options.json) = arguments[++i];
    } else if (argument.rfind("--html=", 0) == 0) {
      options.html = argument.substr(7);
    } else if (argument.rfind("--json=", 0) == 0) {
      options.json = argument.substr(7);
    } else {
      throw UsageError("unknown option " + argument);
    }
  }
  if (options.help) return options;
  if (options.reports.empty()) throw UsageError("no REPORT given");
  if (options.html && options.json && *options.html == *options.json)
    throw UsageError("--html and --json name the same file");
  return options;
}

}  // namespace

int RunCompare(const std::vector<std::string>& arguments, std::ostream& out,
               std::ostream& err) {
  Options options;
  try {
    options = ParseOptions(arguments);
  } catch (const UsageError& error) {
    err << "kelvane-compare: " << error.what() << "\n" << kUsage;
    return 2;
  }
  if (options.help) {
    out << kUsage;
    return 0;
  }

  // Every report is read, and every trouble told, before anything is written.
  std::vector<Report> reports;
  bool troubled = false;
  for (const std::string& file : options.reports) {
    try {
      reports.push_back(ReadReport(file));
    } catch (const ReportError& error) {
      err << error.what() << "\n";
      troubled = true;
    }
  }
  if (troubled) return 2;

  const Comparison comparison = CompareReports(reports);
  try {
    std::vector<PendingFile> outputs;
    if (options.html)
      outputs.emplace_back(*options.html, FormatHtml(comparison));
    if (options.json) outputs.emplace_back(*options.json, FormatJson(reports));
    for (PendingFile& output : outputs) output.Commit();
  } catch (const OutputError& error) {
    err << "kelvane-compare: " << error.what() << "\n";
    return 2;
  }

  out << FormatDifferences(comparison);
  return comparison.DifferingRows() == 0 ? 0 : 1;
}

}  // namespace kelvane
