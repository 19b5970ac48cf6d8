// The fixed markup of a report, line by line. The program writes its lines
// from here, and kelvane-compare reads reports back through the same lines,
// so the two cannot drift apart.
#pragma once

#include <array>
#include <string>
#include <string_view>

// The document: these first, then two tables per adapter, then the credit
// line and the end.
inline constexpr std::string_view kReportStart = "<html>";
inline constexpr std::array<std::string_view, 3> kReportHead = {
    "<head>", "<title>DeviceCaps</title>", "</head>"};
inline constexpr std::string_view kReportEnd = "</html>";

// The program's home page, linked from the end of every report.
inline constexpr std::string_view kHomePageAddress =
    "http://kelvane.example.org/index.html";

// The last line before kReportEnd; its link text is the home page's address
// without the scheme and the page's file name.
std::string FormCreditLine();

inline constexpr std::string_view kIdentityCaption = "Graphics Card Info";
inline constexpr std::string_view kCapsCaption =
    "DirectGraphics HAL DeviceCaps";

inline constexpr std::string_view kTableOpening =
    "<table border=\"1\" cellspacing=\"0\" cellpadding=\"5\" "
    "bgcolor=\"#EEEEEE\" bordercolor=\"#B4B4B4\" "
    "bordercolorlight=\"#D8D8D8\" bordercolordark=\"#8A8A8A\">";
// What the driver appends after each table's last row.
inline constexpr std::array<std::string_view, 2> kTableClosing = {"</table>",
                                                                  "<br>"};

inline constexpr std::string_view kRowStart = "<tr>";
inline constexpr std::string_view kRowEnd = "</tr>";
inline constexpr std::string_view kCellStart = "<td>";
inline constexpr std::string_view kCellEnd = "</td>";

// The cell that holds a table's caption or a flag group's title.
inline constexpr std::string_view kTitleCellStart =
    "<th colspan=2><div align=\"left\">";
inline constexpr std::string_view kTitleCellEnd = "</div></th>";

// "<td>" TEXT "</td>": a label cell, or a value cell as its row kind forms
// the text.
std::string FormCell(std::string_view text);

// A table heading: its opening, the caption row and the Name/Value row.
std::array<std::string, 8> FormTableHeading(std::string_view caption);

// The header row of a flag group.
std::array<std::string, 3> FormGroupHeader(std::string_view title);
