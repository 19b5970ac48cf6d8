#include "driver/DeviceCapsReport.h"

int main() { return WriteDeviceCapsReport(GetDirect3D8Source()); }
