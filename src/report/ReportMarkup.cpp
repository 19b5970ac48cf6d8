#include "report/ReportMarkup.h"

namespace {

constexpr std::string_view kCaptionRowStart = "<tr bgcolor=\"#CCCCCC\">";
constexpr std::string_view kHeaderRowStart = "<tr bgcolor=\"#DDDDDD\">";

std::string FormTitleCell(std::string_view title) {
  std::string line(kTitleCellStart);
  line += title;
  return line += kTitleCellEnd;
}

}  // namespace

std::string FormCreditLine() {
  const std::string_view address = kHomePageAddress;
  const std::size_t scheme = address.find("://");
  const std::size_t hostStart =
      scheme == std::string_view::npos ? 0 : scheme + 3;
  const std::string_view linkText =
      address.substr(hostStart, address.rfind('/') + 1 - hostStart);
  std::string line = "Extracted by Kelvane 1.01 - <a href=\"";
  line += address;
  line += "\">";
  line += linkText;
  return line += "</a>";
}

std::string FormCell(std::string_view text) {
  std::string cell(kCellStart);
  cell += text;
  return cell += kCellEnd;
}

std::array<std::string, 8> FormTableHeading(std::string_view caption) {
  return {std::string(kTableOpening),   std::string(kCaptionRowStart),
          FormTitleCell(caption),       std::string(kRowEnd),
          std::string(kHeaderRowStart), FormCell("<b>Name</b>"),
          FormCell("<b>Value</b>"),     std::string(kRowEnd)};
}

std::array<std::string, 3> FormGroupHeader(std::string_view title) {
  return {std::string(kHeaderRowStart), FormTitleCell(title),
          std::string(kRowEnd)};
}
