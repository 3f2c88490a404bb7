#include "platform/print_device.h"

namespace {
PrintDevice* g_device = nullptr;
}

PrintDevice* installedPrintDevice() { return g_device; }

void installPrintDevice(PrintDevice* device) { g_device = device; }
