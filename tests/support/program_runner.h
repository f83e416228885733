#pragma once

#include <string>
#include <vector>

// Runs program (looked up on PATH when it has no '/') with arguments, no
// shell in between; stdout and stderr go to the named files when given.
// Returns the exit status, -1 when it could not start or did not exit.
int runProgram(const std::string &program, const std::vector<std::string> &arguments,
               const std::string &outputFile = {}, const std::string &errorFile = {});
