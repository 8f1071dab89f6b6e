#pragma once
// The program the end-to-end tests drive: where it is, and how a test starts it. It gets a clean
// environment (the display variables a test gives, a home of its own, a plain PATH) and writes
// its standard output and error into a log file.

#include "tests/e2e/ChildProcess.h"

#include <memory>
#include <string>
#include <vector>

// F2_E2E_PROGRAM, when set, else the filter2 built beside the tests.
std::string ProgramUnderTestPath();

// displayVariables: DISPLAY (and XAUTHORITY) as the test's display gives them, or none at all.
std::unique_ptr<ChildProcess> StartProgramUnderTest(const std::vector<std::string>& displayVariables,
                                                    const std::string& homeDir, const std::string& workDir,
                                                    const std::string& logFile);

// <build>/tests/e2e/logs/<name>.log; the directory is made when missing.
std::string E2eLogPath(const std::string& name);

// The whole content of a text file; empty when it does not exist.
std::string FileText(const std::string& path);

// User plus system processor time of a running process so far, in milliseconds.
double ProcessCpuMilliseconds(pid_t pid);
