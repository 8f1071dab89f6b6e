#!/usr/bin/python3
"""The command line as a whole process: `filter2 design ... --format json` against its peer,
`python3 -c` running the same computation with numpy (peer_design.py), started in turn (A B A
B ...) after a warm-up, each run timed from start to exit (wall clock) and by the kernel's
accounting of the child (user + system CPU). Prints medians, minimum and maximum of both and
the ratio peer / filter2 pair by pair; exits with 1 when filter2's median misses 10 ms.

    bench/run_cli_benchmark.py --build-dir build/release [--runs 50] [--clock real|cpu] [--markdown]"""

import argparse
import os
import statistics
import subprocess
import sys
import time

from table import print_table

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
TARGET_MS = 10.0
DESIGN = ["design", "--fc", "1k", "--q", "butterworth", "--r", "10k", "--c", "22n", "--format", "json"]


def run(argv):
    """One run: (wall ms, CPU ms) from start to exit, the CPU time (user + system) from the
    kernel's accounting of that child (wait4, microsecond resolution)."""
    start = time.perf_counter()
    process = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    wall = (time.perf_counter() - start) * 1e3
    errors = process.stderr.read()
    process.stderr.close()
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        raise RuntimeError(f"{argv[0]} failed ({process.returncode}): {errors.decode()}")
    return wall, (usage.ru_utime + usage.ru_stime) * 1e3


def summary(values):
    return statistics.median(values), min(values), max(values)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default=os.path.join(ROOT, "build", "release"))
    parser.add_argument("--runs", type=int, default=50)
    parser.add_argument("--warmup", type=int, default=3)
    parser.add_argument("--clock", choices=("real", "cpu"), default="cpu",
                        help="the time the target is judged by: the process's CPU time (the default; steady "
                             "on a shared machine) or the wall clock (the same thing on an idle one)")
    parser.add_argument("--markdown", action="store_true")
    args = parser.parse_args()

    filter2 = os.path.join(args.build_dir, "app", "filter2")
    if not os.access(filter2, os.X_OK):
        print(f"missing {filter2}: build the target filter2 first", file=sys.stderr)
        return 2
    with open(os.path.join(HERE, "peer_design.py"), encoding="utf-8") as f:
        peer_code = f.read()
    program = [filter2] + DESIGN
    peer = ["/usr/bin/python3", "-c", peer_code] + DESIGN

    for _ in range(args.warmup):
        run(program)
        run(peer)
    a_wall, a_cpu, b_wall, b_cpu = [], [], [], []
    for _ in range(args.runs):
        wall, cpu = run(program)
        a_wall.append(wall)
        a_cpu.append(cpu)
        wall, cpu = run(peer)
        b_wall.append(wall)
        b_cpu.append(cpu)
    ratios = [b / a for a, b in zip(a_wall, b_wall)]
    cpu_ratios = [b / a for a, b in zip(a_cpu, b_cpu)]

    rows = []
    for name, wall, cpu in (("filter2 design (whole process)", a_wall, a_cpu),
                            ("peer: python3 -c with numpy", b_wall, b_cpu)):
        w, c = summary(wall), summary(cpu)
        rows.append((name, f"{w[0]:.2f} ms", f"{w[1]:.2f} .. {w[2]:.2f} ms", f"{c[0]:.2f} ms ({c[1]:.2f} .. {c[2]:.2f})"))
    r = summary(ratios)
    rows.append(("peer / filter2, pair by pair", f"{r[0]:.1f} x", f"{r[1]:.1f} .. {r[2]:.1f} x",
                 f"{statistics.median(cpu_ratios):.1f} x"))
    judged = statistics.median(a_wall if args.clock == "real" else a_cpu)
    met = judged < TARGET_MS
    rows.append((f"target: filter2 median ({args.clock}) < {TARGET_MS:g} ms", f"{judged:.2f} ms", "",
                 "met" if met else "MISSED"))

    header = ("measurement", "median (wall)", "min .. max (wall)", "median (CPU) (min .. max)")
    print_table(header, rows, args.markdown)
    print(f"{args.runs} runs of each, in turn, after {args.warmup} warm-up runs")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
