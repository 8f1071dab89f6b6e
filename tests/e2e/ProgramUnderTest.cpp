#include "tests/e2e/ProgramUnderTest.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

std::string ProgramUnderTestPath()
{
    const char* other = std::getenv("F2_E2E_PROGRAM");
    return other && *other ? other : F2_FILTER2_PATH;
}

std::unique_ptr<ChildProcess> StartProgramUnderTest(const std::vector<std::string>& displayVariables,
                                                    const std::string& homeDir, const std::string& workDir,
                                                    const std::string& logFile)
{
    ChildOptions options;
    // Nothing of the developer's session (locale, desktop, toolkit settings) reaches the program.
    options.environment = displayVariables;
    options.environment.push_back("HOME=" + homeDir);
    options.environment.push_back("PATH=/usr/local/bin:/usr/bin:/bin");
    options.workingDirectory = workDir;
    options.outputFile = logFile;
    return std::make_unique<ChildProcess>(std::vector<std::string>{ProgramUnderTestPath()}, options);
}

std::string E2eLogPath(const std::string& name)
{
    const std::filesystem::path dir = std::filesystem::path(F2_E2E_OUTPUT_DIR) / "logs";
    std::filesystem::create_directories(dir);
    return (dir / (name + ".log")).string();
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

double ProcessCpuMilliseconds(pid_t pid)
{
    // Fields 14 and 15 of /proc/<pid>/stat, counted after the command name in parentheses
    // (which may itself hold spaces), are user and system time in clock ticks.
    std::string stat = FileText("/proc/" + std::to_string(pid) + "/stat");
    auto close = stat.rfind(')');
    if (close == std::string::npos)
        throw std::runtime_error("cannot read /proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    long long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i)
        if (i == 14 || i == 15)
            ticks += std::stoll(field);
    return double(ticks) * 1000.0 / double(sysconf(_SC_CLK_TCK));
}
