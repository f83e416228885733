#pragma once

// The JPEG tool against the JPEG library's own command-line tools, as whole
// processes on the same files: vorrel-jpeg decode against djpeg -bmp, and
// vorrel-jpeg encode against cjpeg, each run alternately several times.
// Prints the medians of wall time and peak resident memory and their ratios.
//
//   vorrel-bench-jpeg --whole-process [--width 6000] [--height 4000] [--runs 5]
//
// arguments are those after --whole-process. Returns the exit status.
int runWholeProcessComparison(int argc, char **argv);
