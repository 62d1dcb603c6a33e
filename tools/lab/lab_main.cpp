// bluffwick-lab: studies and checks the game from the command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "lab_input.h"
#include "lab_modes.h"

namespace {

struct LabMode {
    const char* name;
    const char* usage;
    int (*run)(int argc, char** argv);
};

const LabMode Modes[] = {
    {"eval", "eval                 reads 'c0 c1 c2 c3 c4' lines, prints each hand's category",
     RunEvalMode},
    {"rand", "rand SEED N          prints the first N draws after seeding with SEED", RunRandMode},
    {"shuffle", "shuffle T            prints the deck shuffled with the clock at T seconds",
     RunShuffleMode},
    {"bet",
     "bet                  reads 'category money playerIsDealer playerDrawCount\n"
     "                       bluffSuspected keepsKicker r1 r2 r3 r4' lines, prints\n"
     "                       'result draws' for ChooseBet with raw draws r1..r4",
     RunBetMode},
    {"discards",
     "discards             reads 'c0 c1 c2 c3 c4 r1 r2 r3' lines, prints\n"
     "                       'result m0 m1 m2 m3 m4 draws' for ChooseDiscards\n"
     "                       (mask filled with -1 before the call)",
     RunDiscardsMode},
    {"simulate",
     "simulate [--matches N] [--time T] [--player random|careful] [--seed S]\n"
     "         [--check] [--trace] [--record]\n"
     "                       plays N whole matches on a table with no window and a\n"
     "                       virtual clock, prints a summary ('key: value' lines);\n"
     "                       --record prints each match's record when it ends",
     RunSimulateMode},
    {"faces",
     "faces --deck two|four [--marked] DIR\n"
     "                       writes the 52 faces of that deck as the game draws them\n"
     "                       (every one marked with --marked) into DIR, one .bmp per\n"
     "                       card named like spades_ace.bmp, and prints each path",
     RunFacesMode},
};

void PrintUsage(std::FILE* out) {
    std::fprintf(out, "usage: bluffwick-lab MODE [ARGUMENTS]\n\nmodes:\n");
    for (const LabMode& mode : Modes) std::fprintf(out, "  %s\n", mode.usage);
    std::fprintf(out,
                 "\nInput lines are numbered from 1; empty lines are skipped. At the first bad\n"
                 "line the tool stops with a message naming it and exit status 2.\n");
}

}  // namespace

int main(int argc, char** argv) {
    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    if (argc < 2) {
        PrintUsage(stderr);
        return LabBadInput;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    for (const LabMode& mode : Modes) {
        if (std::strcmp(argv[1], mode.name) == 0) return mode.run(argc - 2, argv + 2);
    }
    return ReportBadUsage(std::string("unknown mode '") + argv[1] + "'");
}
