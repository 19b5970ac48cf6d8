// The openings of the two tables every adapter gets, and the header row of a
// flag group. Tables are closed by the driver, never here.
#pragma once

#include <string>

void WriteIdentityTableHeader();
void WriteCapsTableHeader();
void WriteGroupHeaderRow(const std::string& title);
