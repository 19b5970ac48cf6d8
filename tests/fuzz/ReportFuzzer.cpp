// Fuzzes the whole run: the input scripts a capability source (adapter
// count, every call's result, raw bytes of every record) and the real driver
// runs over it in a private directory. Besides the sanitizers, it checks what
// must hold of every run.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "catalogue/ValueRow.h"
#include "driver/DeviceCapsReport.h"
#include "driver/DriverState.h"
#include "report/ReportMarkup.h"
#include "support/CrLf.h"
#include "support/Files.h"
#include "support/ReportShape.h"
#include "support/ScriptedSource.h"

namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size) {}

  std::uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }

  // Raw bytes into a record; what the input lacks stays zero.
  void Fill(void* record, std::size_t size) {
    std::memset(record, 0, size);
    const std::size_t take = std::min(size, size_ - used_);
    std::memcpy(record, data_ + used_, take);
    used_ += take;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t used_ = 0;
};

// Mostly D3D_OK, so that runs get far; otherwise failures and success codes
// other than zero.
HRESULT ReadResult(Input& input) {
  const std::uint8_t byte = input.Byte();
  const HRESULT failures[] = {S_FALSE, static_cast<HRESULT>(0x80004005),
                              static_cast<HRESULT>(0x8876086C), 0x7FFFFFFF, -1};
  return byte < 12 ? failures[byte % 5] : D3D_OK;
}

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos;
       at = text.find(part, at + part.size()))
    ++count;
  return count;
}

// The report without the adapters' texts, which are the only bytes the
// records can put there freely; each must stand where its row is, whole,
// and never longer than its array.
bool CutTexts(std::string& report, const Script& script) {
  std::size_t at = 0;
  for (const ScriptedAdapter& adapter : script.adapters) {
    const std::pair<const char*, std::string> texts[] = {
        {"<td>Driver</td>\r\n<td>", ReadField(adapter.identifier.Driver)},
        {"<td>Description</td>\r\n<td>",
         ReadField(adapter.identifier.Description)}};
    for (const auto& [row, text] : texts) {
      const std::string cell = row + CrLf(text) + "</td>\r\n";
      at = report.find(cell, at);
      if (at == std::string::npos) return false;
      report.replace(at, cell.size(), std::string(row) + "</td>\r\n");
      at += std::strlen(row);
    }
  }
  return true;
}

// Each run in a private directory; between runs libFuzzer is back where it
// was started, where it reads its corpus and leaves its artifacts.
const std::filesystem::path& PrivateDirectory() {
  static const std::filesystem::path directory = [] {
    char pattern[] = "/tmp/kelvane-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) std::abort();
    return std::filesystem::path(pattern);
  }();
  return directory;
}

int RunOneInput(const std::uint8_t* data, std::size_t size);

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The run's console lines are of no interest here.
  if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::filesystem::path started = std::filesystem::current_path();
  std::filesystem::current_path(PrivateDirectory());
  const int result = RunOneInput(data, size);
  std::filesystem::current_path(started);
  return result;
}

namespace {

int RunOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  Script script;
  script.createSucceeds = input.Byte() % 16 != 0;
  const unsigned adapters = input.Byte() % 4;
  int expected = script.createSucceeds ? 0 : -1;
  for (unsigned i = 0; i < adapters; ++i) {
    ScriptedAdapter adapter;
    adapter.identifierResult = ReadResult(input);
    adapter.capsResult = ReadResult(input);
    input.Fill(&adapter.identifier, sizeof adapter.identifier);
    input.Fill(&adapter.caps, sizeof adapter.caps);
    if (expected == 0 && adapter.identifierResult != D3D_OK) expected = -3;
    if (expected == 0 && adapter.capsResult != D3D_OK) expected = -2;
    script.adapters.push_back(adapter);
  }
  std::remove("DeviceCaps.html");
  std::remove("error.txt");

  const int exitCode = WriteDeviceCapsReport(UseScript(script));

  Check(exitCode == expected, "the exit code is the first failure's");
  Check(g_direct3d == nullptr, "Direct3D is released");
  Check(script.releaseCount == (script.createSucceeds ? 1 : 0),
        "released once when created");
  if (exitCode != 0) {
    Check(!std::filesystem::exists("DeviceCaps.html"), "no report is left");
    Check(!ReadFileBytes("error.txt").empty(), "error.txt tells the failure");
    return 0;
  }

  std::string report = ReadFileBytes("DeviceCaps.html");
  Check(CutTexts(report, script), "every text stands whole in its row");
  const std::string head =
      "<html>\r\n<head>\r\n<title>DeviceCaps</title>\r\n</head>\r\n";
  const std::string tail = CrLf(FormCreditLine() + "\n</html>\n");
  Check(report.compare(0, head.size(), head) == 0, "the head opens it");
  Check(report.size() >= tail.size() &&
            report.compare(report.size() - tail.size(), tail.size(), tail) == 0,
        "the credit line and </html> end it");
  Check(Count(report, "\n") == Count(report, "\r\n"), "every line ends CR LF");
  Check(Count(report, "\r\n") ==
            kHeadLines + kTailLines + adapters * kAdapterLines,
        "every line is there");
  Check(Count(report, "<tr>\r\n") ==
            adapters * (kIdentityRowCount + kHalLimitRowCount + kFlagRowCount),
        "every adapter has all its rows");
  Check(Count(report, "<tr bgcolor=\"#DDDDDD\">\r\n<th") ==
            adapters * kFlagGroupCount,
        "every adapter has all its flag groups");
  return 0;
}

}  // namespace
