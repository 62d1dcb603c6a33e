// The modes of bluffwick-lab. Each takes the arguments after its own name and
// returns the process exit status.
#pragma once

int RunEvalMode(int argc, char** argv);
int RunRandMode(int argc, char** argv);
int RunShuffleMode(int argc, char** argv);
int RunBetMode(int argc, char** argv);
int RunDiscardsMode(int argc, char** argv);
int RunSimulateMode(int argc, char** argv);
int RunFacesMode(int argc, char** argv);
