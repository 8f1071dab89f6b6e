#pragma once
// Runs a program to its end and collects its exit code, standard output and standard error,
// for tests of command-line tools (filter2's command line, the circuit simulator).

#include <string>
#include <vector>

struct ProgramResult {
    int exitCode = -1;     // -1 when it did not end by itself (signal)
    std::string out;
    std::string err;
};

// argv[0] is looked up in PATH when it has no slash. environment: the child's whole
// environment ("NAME=value"); input: written to its standard input, which is then closed.
// outputFile: when not empty, standard output goes to that file instead of being collected.
ProgramResult RunProgram(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                         const std::string& input = std::string(), const std::string& outputFile = std::string());

// The environment of this process without the given variables.
std::vector<std::string> EnvironmentWithout(const std::vector<std::string>& names);
