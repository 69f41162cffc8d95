#pragma once

#include <optional>
#include <string>
#include <vector>

// One start of the real program as a user starts it, timed from its exec to its first frame.
struct ProgramStart
{
    // From just before the exec to the program's report of its first frame.
    double toFirstFrameMs = 0;
    // The program's own count, from its main() to that frame.
    double reportedMs = 0;
    // The highest resident memory of the process up to that frame; 0 when it had ended before it
    // could be read.
    double peakMiB = 0;
};

// Starts the program with QUORVANE_REPORT_FIRST_FRAME set, so that it reports its first frame and
// quits, on the platform of this process's environment. Nothing when it does not report within
// a few seconds or does not end normally.
std::optional<ProgramStart> startProgram(const std::string &program,
                                         const std::vector<std::string> &arguments);
