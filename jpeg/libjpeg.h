#pragma once

// The JPEG library's interface. Its header needs the C standard I/O types
// declared before it.
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>
