// The only road into "DeviceCaps.html": one open, one write and one close per
// call, so the file on disk always holds every line written so far.
#pragma once

#include <string>

extern const char kReportFileName[];

// Creates the report or empties it, and writes the text as it is: the caller
// puts in any line feed it wants.
void CreateReportFile(const std::string& text);

// Adds the line and a line feed at the end of the report.
void AppendReportLine(const std::string& line);

// Whether every call since the last CreateReportFile reached the disk whole.
// The calls themselves report nothing, so that a run goes on line by line.
bool IsReportWhole();
