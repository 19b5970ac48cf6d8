#include "compare/cli/CommandLine.h"

#include <string>
#include <string_view>

#include "compare/cli/FileNames.h"
#include "compare/output/TerminalText.h"

namespace kelvane {

namespace fs = std::filesystem;

const char kUsage[] =
    "usage: kelvane-compare [--by rows|caps] [--where EXPR]... [--coverage]\n"
    "                       [--files [--null]] [--skip-bad] [--html FILE]\n"
    "                       [--json FILE]"
    " [--jsonl FILE] REPORT|FOLDER|@LISTFILE...\n"
    "Compares the DeviceCaps.html reports of Kelvane. Adapters that show the\n"
    "same in every row form one configuration, and every configuration is a\n"
    "column; it prints the columns, then the rows that differ.\n"
    "  FOLDER          every *.html file beneath it\n"
    "  @LISTFILE       the paths in the file, one a line\n"
    "  --by caps       a column for each set of capabilities, whatever the\n"
    "                  adapters' identity and AdapterOrdinal (--by rows: the\n"
    "                  default, a column for each configuration)\n"
    "  --where EXPR    only the adapters that meet it: LABEL=VALUE,\n"
    "                  LABEL!=VALUE (a VALUE,VALUE list: any of them), for\n"
    "                  numbers and versions <, <=, >, >=, for texts ~PART;\n"
    "                  a flag of several groups as GROUP/LABEL; repeated,\n"
    "                  every one; quote it ('MaxTextureWidth>=2048')\n"
    "  --machines any|all|primary\n"
    "                  which machines (reports) take part by their adapters\n"
    "                  that meet --where: any one (the default), every one,\n"
    "                  or the primary one (AdapterOrdinal 0)\n"
    "  --coverage      for every differing row, how many adapters show each\n"
    "                  value, limits with the adapters at or above each\n"
    "  --files         print the reports that hold an adapter taking part,\n"
    "                  instead of the comparison (exit 1 when none), by\n"
    "                  their names' bytes, a line each\n"
    "  --null, -0      end each name --files prints with NUL (xargs -0)\n"
    "  --skip-bad      leave out, and name, the reports that cannot be read\n"
    "  --no-follow, -P do not follow links to folders inside a FOLDER\n"
    "  --html FILE     also write the comparison as a page\n"
    "  --json FILE     also write the adapters as JSON records\n"
    "  --jsonl FILE    also write them as JSON Lines\n"
    "                  (FILE - is the standard output, which it then has to\n"
    "                  itself: the comparison is not printed)\n"
    "  --version       print the version\n"
    "Exit status: 0 no row differs, 1 some row differs, 2 trouble.\n";

namespace {

// The output that an option names; "--html FILE" and "--html=FILE" alike.
std::optional<fs::path>* OutputOf(Options& options, std::string_view name) {
  if (name == "--html") return &options.html;
  if (name == "--json") return &options.json;
  if (name == "--jsonl") return &options.jsonl;
  return nullptr;
}

bool TakesText(std::string_view name) {
  return name == "--by" || name == "--where" || name == "--machines";
}

void SetOutput(Options& options, const std::string& name, fs::path path) {
  if (path.empty()) throw UsageError(name + " needs a FILE");
  std::optional<fs::path>& output = *OutputOf(options, name);
  if (output) throw UsageError(name + " is given twice");
  output = std::move(path);
}

void SetText(Options& options, const std::string& name,
             const std::string& value, bool& grouped) {
  if (name == "--where") {
    try {
      options.conditions.push_back(ParseCondition(value));
    } catch (const ConditionError& error) {
      throw UsageError(error.what());
    }
    return;
  }
  if (name == "--machines") {
    const std::pair<const char*, MachineRule> rules[] = {
        {"any", MachineRule::Any},
        {"all", MachineRule::All},
        {"primary", MachineRule::Primary}};
    for (const auto& [word, rule] : rules)
      if (value == word) {
        options.machines = rule;
        return;
      }
    throw UsageError("--machines takes any, all or primary, not " +
                     ShownText(value));
  }
  if (grouped) throw UsageError("--by is given twice");
  grouped = true;
  if (value == "caps")
    options.grouping = Grouping::Capabilities;
  else if (value == "rows")
    options.grouping = Grouping::EveryRow;
  else
    throw UsageError("--by takes rows or caps, not " + ShownText(value));
}

}  // namespace

Options ParseOptions(const std::vector<Argument>& arguments) {
  Options options;
  bool optionsEnded = false, grouped = false;
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
    } else if (text == "--files") {
      options.files = true;
    } else if (text == "--null" || text == "-0") {
      options.null = true;
    } else if (text == "--no-follow" || text == "-P") {
      options.noFollow = true;
    } else if (text == "--skip-bad") {
      options.skipBad = true;
    } else if (OutputOf(options, text)) {
      if (i + 1 == arguments.size()) throw UsageError(text + " needs a FILE");
      SetOutput(options, text, arguments[++i].path);
    } else if (equals != std::string::npos && OutputOf(options, name)) {
      const auto& native = arguments[i].path.native();
      SetOutput(options, name, native.substr(equals + 1));
    } else if (TakesText(text)) {
      if (i + 1 == arguments.size())
        throw UsageError(text + (text == "--by" ? " needs rows or caps"
                                 : text == "--machines"
                                     ? " needs any, all or primary"
                                     : " needs an EXPR"));
      SetText(options, text, arguments[++i].text, grouped);
    } else if (equals != std::string::npos && TakesText(name)) {
      SetText(options, name, text.substr(equals + 1), grouped);
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

}  // namespace kelvane
