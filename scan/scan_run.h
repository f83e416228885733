#pragma once

#include <string>
#include <vector>

// What the SCAN button hands to the engine: the two folders as the window
// holds them and the two "Scan in subfolder" check boxes.
struct ScanRequest {
    std::string schemesFolder;   // as held by the window (may be relative, empty, end with '/')
    std::string audioFolder;
    bool schemesSubfolders = false;  // CheckBox1
    bool audioSubfolders = false;    // CheckBox2
    std::string baseFolder;      // relative folders resolve against this; empty = the process's current folder
};

// Runs one whole scan and returns exactly the lines the results box holds
// after it, in order. Never changes the process's working folder and never
// throws for anything on disk: folders that cannot be entered and files that
// cannot be read are reported through the lines.
std::vector<std::string> runScan(const ScanRequest &request);
