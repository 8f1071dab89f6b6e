#include "app/cli/CommandLineProgram.h"

#include "app/cli/CommandLine.h"
#include "app/cli/DesignReport.h"
#include "app/cli/SpiceNetlist.h"
#include "app/cli/SweepReport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#ifndef FILTER2_VERSION
#define FILTER2_VERSION "0"
#endif

namespace cli {

std::string HelpText()
{
    return R"(Usage: filter2 [COMMAND [OPTION]...]
Compute second-order unity-gain active filter sections: a low-pass section with two
equal resistors R and capacitors C1, C2, and a high-pass section with two equal
capacitors C and resistors R1, R2. Without arguments, filter2 opens its window.

Commands:
  design         the components of both sections as the window shows them, their
                 nearest standard values, the best standard pairs and the op-amp
                 gain-bandwidth product each section needs
  sweep          the magnitude responses of both sections (the window's 100-point
                 curves; with --points, --from or --to, N points with phase and
                 group delay)
  netlist lp|hp  a SPICE netlist of the low-pass (lp) or the high-pass (hp)
                 section

Options:
  --fc F             corner frequency, 1 Hz to 500 kHz
  --q Q              quality factor, 0.29999 to 2.5, or a filter family: bessel
                     (0.58), butterworth (0.71), chebyshev-0.5 (0.86), chebyshev-1
                     (0.96), linkwitz-riley (0.5)
  --r R              resistor of the low-pass section, 100 ohm to 1 Mohm
  --c C              capacitor of the high-pass section, 100 pF to 10 uF
  --cap-series S     capacitor series for standard values: E6, E12 (default), E24,
                     E48 or E96
  --res-series S     resistor series for standard values: E6, E12, E24, E48 or E96
                     (default)
  --gbw G            model the op-amp with one pole and this gain-bandwidth
                     product (1 kHz to 100 GHz) instead of an ideal follower
  --a0 A             open-loop gain of that op-amp (default 1e5)
  --format F         design: text (default) or json; sweep: csv (default) or json
  --values V         sweep, netlist: exact (default) or standard parts
  --points N         sweep, netlist: N log-spaced points (2 to 100000; default 400)
  --from F, --to F   sweep, netlist: the range of those points (default fc/100 to
                     100 fc)
  -h, --help         show this help and exit
  -V, --version      show the version and exit

Values are written as engineers write them: 1000, 1k, 1kHz, 2.5k, 2,5k, 4k7, 33k,
1M, 10n, 4n7, 0.1u, 100p, 10nF, 1e3. The decimal separator is a point or a comma.

Exit status:
  0   done
  1   a value out of range
  2   a malformed command or value
Errors are one line on standard error naming the option and the value.

Examples:
  filter2 design --fc 1k --q butterworth --r 10k --c 22n

  filter2 sweep --fc 1k --q 0.71 --points 50 --format json

  filter2 netlist lp --fc 500k --q 2.5 --r 1k --c 1n --gbw 10M
)";
}

std::string VersionText()
{
    return std::string("filter2 ") + FILTER2_VERSION +
           "\nCopyright (c) The filter2 developers.\nLicense MIT: "
           "this is free software; you are free to change and redistribute it.\n";
}

int RunCommandLine(std::span<const std::string_view> args, std::string& out, std::string& err)
{
    try {
        const TRequest request = ParseCommandLine(args);
        switch (request.command) {
        case TCommand::Help:
            out = HelpText();
            break;
        case TCommand::Version:
            out = VersionText();
            break;
        case TCommand::Design: {
            const TDesignReport report = ComputeDesignReport(request);
            out = request.format == TFormat::Json ? DesignJson(report) : DesignText(report);
            break;
        }
        case TCommand::Sweep: {
            const TSweepResult sweep = ComputeSweep(request);
            out = request.format == TFormat::Json ? SweepJson(sweep, request) : SweepCsv(sweep);
            break;
        }
        case TCommand::Netlist:
            out = SpiceNetlist(request);
            break;
        }
        return 0;
    } catch (const ECommandLineError& e) {
        // The complaint quotes what was typed; control characters in it are shown escaped, so
        // that it stays one line.
        err.clear();
        for (const char ch : std::string_view(e.what())) {
            const auto c = static_cast<unsigned char>(ch);
            if (c < 0x20 || c == 0x7F) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
                err += escaped;
            } else {
                err += ch;
            }
        }
        err += '\n';
        return e.ExitCode();
    }
}

int RunCommandLineMain(int argc, char** argv)
{
    std::vector<std::string_view> args;
    for (int i = 1; i < argc; ++i)
        args.emplace_back(argv[i]);
    std::string out, err;
    const int code = RunCommandLine(args, out, err);
    if (!err.empty())
        std::fputs(err.c_str(), stderr);
    if (!out.empty()) {
        // A full disk or a closed pipe must not pass for success.
        const bool written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0;
        if (!written) {
            std::fprintf(stderr, "filter2: cannot write the output: %s\n", std::strerror(errno));
            return 1;
        }
    }
    return code;
}

} // namespace cli
