// The one way out of a failed run, and the release of the Direct3D object.
#pragma once

#include <string>

// Tells the user, records the message in "error.txt", removes the report and
// releases Direct3D; returns the code unchanged, whatever became of the files.
int FailAndExit(std::string message, int code);

void ReleaseDirect3D();
