// Runs the real bluffwick-lab binary with arguments and standard input.
#include "run_lab.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string MakeTempFile() {
    char name[] = "/tmp/bluffwick-lab-test-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    return name;
}

}  // namespace

LabRun RunLab(const std::string& arguments, const std::string& input) {
    const std::string inPath = MakeTempFile();
    const std::string outPath = MakeTempFile();
    const std::string errPath = MakeTempFile();
    {
        std::ofstream in(inPath, std::ios::binary);
        in << input;
    }
    const std::string command = std::string("'") + BLUFFWICK_LAB_PATH + "' " + arguments + " < " +
                                inPath + " > " + outPath + " 2> " + errPath;
    const int raw = std::system(command.c_str());
    LabRun run;
    if (raw != -1 && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    run.out = ReadWholeFile(outPath);
    run.err = ReadWholeFile(errPath);
    std::remove(inPath.c_str());
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    return run;
}
