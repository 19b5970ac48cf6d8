// Anything but what the program writes is refused, at its line and row,
// and no output is touched.
#include <gtest/gtest.h>

#include "CompareFixture.h"
#include "compare/read/ReportParser.h"

namespace {

using BadReport = CompareTest;

struct BadInput {
  const char* what;
  std::string bytes;  // the file's content; unused for a directory
  std::string error;  // the start of what stderr says
};

std::string Replaced(std::string text, const std::string& from,
                     const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

std::string At(std::size_t line, const std::string& error) {
  return "bad.html:" + std::to_string(line) + ": " + error;
}

TEST_F(BadReport, AnythingButWhatTheProgramWritesIsTroubleAndWritesNothing) {
  WriteReport(MakeSampleScript(1), "one.html");
  const std::string report = ReadFileBytes("one.html");
  auto row = [](const std::string& label, const std::string& value) {
    return "<tr>\r\n<td>" + label + "</td>\r\n<td>" + value +
           "</td>\r\n</tr>\r\n";
  };
  const std::string width = row("MaxTextureWidth", "4096"),
                    height = row("MaxTextureHeight", "4096"),
                    vendor = row("VendorId", "4318");
  const std::size_t heightLine = LineOf(report, height);
  const std::string caps2 = "<div align=\"left\">Caps2</div>";
  const std::string end = "</html>\r\n";
  // More adapters than a machine has: each adapter's lines once more.
  const std::size_t firstTable = report.find("<table");
  const std::size_t credit = report.find("Extracted by");
  ASSERT_NE(credit, std::string::npos);
  const std::string adapter = report.substr(firstTable, credit - firstTable);
  std::string crowded = report.substr(0, firstTable);
  for (std::size_t n = 0; n <= kelvane::kMostAdapters; ++n) crowded += adapter;
  crowded += report.substr(credit);
  const std::size_t adapterLines =
      LineOf(report, "Extracted by") - LineOf(report, "<table");

  const BadInput cases[] = {
      {"a stray line in a limit row",
       Replaced(report, "<td>4096</td>\r\n</tr>",
                "<td>4096</td>\r\nstray\r\n</tr>"),
       At(heightLine - 1,
          "expected the end of the row of MaxTextureWidth "
          "\"</tr>\", found \"stray\"")},
      {"a stray line in a value",
       Replaced(report, "<td>4096</td>", "<td>4096\r\nstray</td>"),
       At(heightLine - 2,
          "expected the value of MaxTextureWidth (a decimal "
          "number), found \"<td>4096\"")},
      {"a row deleted", Replaced(report, height, ""),
       At(heightLine + 1,
          "expected the label of MaxTextureHeight "
          "\"<td>MaxTextureHeight</td>\", found \"<td>MaxVolumeExtent</td>\"")},
      {"a label misspelled",
       Replaced(report, "MaxTextureHeight", "MaxTextureHieght"),
       At(heightLine + 1,
          "expected the label of MaxTextureHeight "
          "\"<td>MaxTextureHeight</td>\", found "
          "\"<td>MaxTextureHieght</td>\"")},
      {"two rows swapped", Replaced(report, width + height, height + width),
       At(heightLine - 3,
          "expected the label of MaxTextureWidth "
          "\"<td>MaxTextureWidth</td>\", found "
          "\"<td>MaxTextureHeight</td>\"")},
      {"a row twice", Replaced(report, vendor, vendor + vendor),
       At(LineOf(report, vendor) + 5,
          "expected the label of DeviceId \"<td>DeviceId</td>\", found "
          "\"<td>VendorId</td>\"")},
      {"a limit that is no number",
       Replaced(report, height, row("MaxTextureHeight", "abc2048")),
       At(heightLine + 2,
          "expected the value of MaxTextureHeight (a decimal "
          "number), found \"<td>abc2048</td>\"")},
      {"a flag neither Yes nor No",
       Replaced(report, "<td>Yes</td>", "<td>Maybe</td>"),
       At(LineOf(report, "<td>Yes</td>"),
          "expected the value of D3DCAPS_READ_SCANLINE (Yes or No), found "
          "\"<td>Maybe</td>\"")},
      {"an empty flag group title",
       Replaced(report, caps2, "<div align=\"left\"></div>"),
       At(LineOf(report, caps2),
          "expected the header of flag group Caps2 \"<th colspan=2><div "
          "align=\"left\">Caps2</div></th>\"")},
      {"empty", "", At(1, "expected \"<html>\", found the end")},
      {"another page", "<html>\r\n<body>Hello</body>\r\n</html>\r\n",
       At(2, "expected \"<head>\", found \"<body>Hello</body>\"")},
      {"truncated before </html>", report.substr(0, report.size() - end.size()),
       At(1059, "expected \"</html>\", found the end")},
      {"no line end after </html>", report.substr(0, report.size() - 2),
       At(1059, "expected a line end after \"</html>\"")},
      {"bytes after </html>", report + "more\r\n",
       At(1060, "expected the end of the file")},
      {"another credit line", Replaced(report, "Kelvane 1.01", "Kelvane 9.99"),
       At(1058, "expected an adapter's table or the credit line")},
      {"a cell that never ends",
       report.substr(0, report.find("kelvane0.dll")) + "kelvane0.dll\r\n",
       At(15,
          "expected the value of Driver (a text of at most 512 bytes, "
          "without NUL) begun here to end in \"</td>\"")},
      {"more adapters than a machine has", crowded,
       At(LineOf(report, "<table") + kelvane::kMostAdapters * adapterLines,
          "expected at most 64 adapters, as a machine has, found another")},
      {"a missing file", "", "bad.html: cannot be read: "},
  };
  WriteFileBytes("page.html", "kept");
  for (const BadInput& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all("bad.html");
    if (std::string(c.what) != "a missing file")
      WriteFileBytes("bad.html", c.bytes);

    const CompareOutcome run = Compare({"--html", "page.html", "--json",
                                        "parsed.json", "one.html", "bad.html"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind(c.error, 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFileBytes("page.html"), "kept");
    EXPECT_FALSE(FileExists("parsed.json"));
  }
}

}  // namespace
