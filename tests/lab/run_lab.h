// Runs the real bluffwick-lab binary with arguments and standard input.
#pragma once

#include <string>

struct LabRun {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;
    std::string err;
};

LabRun RunLab(const std::string& arguments, const std::string& input);
