#pragma once

#include <string>

#include "scan/scan_run.h"

// Why nothing may be moved after the scan `details`: the text names every
// scheme folder and scheme file the scan could not read, and why. A sound
// that only an unread scheme uses looks unused, so any such path means the
// unused list cannot be trusted. Empty when every scheme was read.
std::string unreadableSchemesRefusal(const ScanDetails &details);
