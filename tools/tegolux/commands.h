#pragma once
// The sub-commands of the tegolux program. Each takes the arguments after its own name and
// returns the process exit code: 0 success, 1 failure, 2 wrong usage.

int RunCatalogue(int argc, char** argv);
int RunDemo(int argc, char** argv);
int RunSwatches(int argc, char** argv);
