#pragma once

#include <string>
#include <string_view>
#include <vector>

// The program's contact with its command line and its console, one interface
// for both platforms (program_io_posix.cpp, program_io_win32.cpp). Text is
// UTF-8 on both sides of it.

// The arguments after the program name. On Windows they are taken from the
// UTF-16 command line, so folder names outside the ANSI code page arrive
// whole.
std::vector<std::string> programArguments(int argc, char **argv);

// Writes `text` to standard output or standard error, bytes unchanged ('\n'
// stays '\n'). A Windows console is given the text as UTF-16, whatever its
// code page; a file or pipe gets the UTF-8 bytes. False when not everything
// could be written.
bool writeStandardOutput(std::string_view text);
bool writeStandardError(std::string_view text);
