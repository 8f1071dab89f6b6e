#!/usr/bin/python3
"""Runs the calculator's benchmarks, its peer and its memory check in one go and prints the
results side by side: medians, the ratio to the peer, the ratio to the limit, and whether
each target is met. Exits with 1 when a target is missed or a measurement fails.

    bench/run_benchmarks.py --build-dir build/release [--repetitions 10] [--markdown]

The build directory must hold a Release build of filter2_bench and the ui-driver."""

import argparse
import json
import os
import statistics
import subprocess
import sys
import time

from table import print_table

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)

# Medians above these (microseconds) miss the target.
TIME_TARGETS_US = {
    "BM_GoToPixels": 200.0,
    "BM_ChartRender": 60.0,
    "BM_LoadMainWindow": 2000.0,
    "BM_StartupToFirstFrame": 10000.0,
    "BM_ReadSiblings/40000": 250000.0,
}
PEER_MIN_RATIO = 100.0
MEMORY_LIMIT_KIB = 30 * 1024
# Growth over the presses that still counts as flat: allocator noise, not a leak.
FLAT_TOLERANCE_KIB = 256
PRESSES = 1000

UNIT_TO_US = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def run_benchmarks(binary, repetitions, min_time):
    command = [binary, "--benchmark_format=json", f"--benchmark_repetitions={repetitions}",
               "--benchmark_report_aggregates_only=true", f"--benchmark_min_time={min_time}"]
    result = subprocess.run(command, capture_output=True, text=True, check=True)
    medians = {}
    for entry in json.loads(result.stdout)["benchmarks"]:
        if entry.get("error_occurred"):
            raise RuntimeError(f"{entry['name']}: {entry.get('error_message')}")
        if entry.get("aggregate_name") == "median":
            scale = UNIT_TO_US[entry["time_unit"]]
            medians[entry["run_name"]] = (entry["real_time"] * scale, entry["cpu_time"] * scale)
    return medians


def run_peer(repetitions):
    result = subprocess.run(["/usr/bin/python3", os.path.join(HERE, "peer_matplotlib.py"),
                             f"--repetitions={repetitions}"], capture_output=True, text=True, check=True)
    return json.loads(result.stdout)


def driver_replies(driver, commands):
    """The ui-driver's replies to the commands, one string per reply (without the "." line)."""
    result = subprocess.run([driver], input="".join(c + "\n" for c in commands),
                            capture_output=True, text=True, check=True, timeout=600)
    replies, current = [], []
    for line in result.stdout.splitlines():
        if line == ".":
            replies.append("\n".join(current))
            current = []
        else:
            current.append(line)
    if len(replies) != len(commands):
        raise RuntimeError(f"ui-driver answered {len(replies)} of {len(commands)} commands")
    return replies


def measure_memory(driver):
    # "Go" is the window's default button: Enter presses it from the field that has focus.
    commands = ["memory", "key Enter", "memory"] + ["key Enter"] * (PRESSES - 1) + ["memory", "series Chart2"]
    replies = driver_replies(driver, commands)
    readings = [json.loads(r) for r in replies if r.startswith("{\"rssKiB\"")]
    if len(readings) != 3:
        raise RuntimeError("ui-driver gave no memory readings: " + replies[0])
    if replies[-1].split("\n")[0] != "100":
        raise RuntimeError("Enter did not press \"Go\": the low-pass chart holds " + replies[-1].split("\n")[0])
    started, first, last = readings
    return {"startupKiB": started["rssKiB"], "startupPeakKiB": started["peakKiB"],
            "afterFirstKiB": first["rssKiB"], "afterLastKiB": last["rssKiB"],
            "peakKiB": last["peakKiB"], "growthKiB": last["rssKiB"] - first["rssKiB"]}


def measure_cold_start(driver, runs=5):
    """Process start to the first answer: the program is up and its first frame presented
    (the driver reads commands only once the loop has gone idle)."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        driver_replies(driver, ["state"])
        times.append((time.perf_counter() - start) * 1e6)
    return statistics.median(times)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", default=os.path.join(ROOT, "build", "release"))
    parser.add_argument("--repetitions", type=int, default=10)
    parser.add_argument("--min-time", type=float, default=0.2, help="seconds per repetition")
    parser.add_argument("--peer-repetitions", type=int, default=200)
    parser.add_argument("--clock", choices=("cpu", "real"), default="cpu",
                        help="time that targets and ratios use: process CPU time (steady on a shared "
                             "machine, the default) or wall-clock time (equal on an idle one)")
    parser.add_argument("--markdown", action="store_true", help="print the table as Markdown")
    args = parser.parse_args()

    binary = os.path.join(args.build_dir, "bench", "filter2_bench")
    driver = os.path.join(args.build_dir, "tests", "tools", "ui-driver", "ui-driver")
    for path in (binary, driver):
        if not os.access(path, os.X_OK):
            print(f"missing {path}: build filter2_bench and ui-driver first", file=sys.stderr)
            return 2

    measured = run_benchmarks(binary, args.repetitions, args.min_time)
    # Targets and ratios use the chosen clock; both are printed.
    pick = 1 if args.clock == "cpu" else 0
    medians = {name: times[pick] for name, times in measured.items()}
    peer = run_peer(args.peer_repetitions)
    memory = measure_memory(driver)
    cold = measure_cold_start(driver)

    peer_us = peer["compute_and_render_cpu_us" if args.clock == "cpu" else "compute_and_render_us"]
    program_us = medians["BM_Calculate"] + medians["BM_ChartRender"]
    both_charts_us = medians["BM_Calculate"] + 2 * medians["BM_ChartRender"]
    peer_ratio = peer_us / program_us
    limit_ratio = medians["BM_GoToPixels"] / medians["BM_FillLimit"]
    flat = memory["growthKiB"] <= FLAT_TOLERANCE_KIB
    under_limit = memory["peakKiB"] < MEMORY_LIMIT_KIB

    rows = []
    missed = []
    for name, value in medians.items():
        target = TIME_TARGETS_US.get(name)
        verdict = ""
        if target is not None:
            verdict = "met" if value < target else "MISSED"
            if value >= target:
                missed.append(name)
        real, cpu = measured[name]
        rows.append((name, f"{value:.2f} us", f"{real:.2f} / {cpu:.2f} us", f"< {target:g} us" if target else "",
                     verdict))
    rows.append(("BM_GoToPixels / BM_FillLimit", f"{limit_ratio:.1f} x", "", "(the limit)", ""))
    rows.append(("peer: numpy + matplotlib (Agg), compute and render", f"{peer_us:.0f} us",
                 f"{peer['compute_and_render_us']:.0f} / {peer['compute_and_render_cpu_us']:.0f} us", "", ""))
    rows.append(("peer / (BM_Calculate + BM_ChartRender)", f"{peer_ratio:.0f} x", "", f">= {PEER_MIN_RATIO:g} x",
                 "met" if peer_ratio >= PEER_MIN_RATIO else "MISSED"))
    rows.append(("peer / (BM_Calculate + 2 x BM_ChartRender)", f"{peer_us / both_charts_us:.0f} x",
                 "", "", ""))
    if peer_ratio < PEER_MIN_RATIO:
        missed.append("peer ratio")
    rows.append(("cold start, process to first frame (ui-driver)", f"{cold / 1000:.1f} ms", "", "", ""))
    rows.append(("resident memory after start-up", f"{memory['startupKiB'] / 1024:.1f} MiB", "", "", ""))
    rows.append((f"resident memory after 1 / {PRESSES} presses",
                 f"{memory['afterFirstKiB'] / 1024:.1f} / {memory['afterLastKiB'] / 1024:.1f} MiB", "",
                 f"growth <= {FLAT_TOLERANCE_KIB} KiB", "met" if flat else "MISSED"))
    rows.append(("peak resident memory", f"{memory['peakKiB'] / 1024:.1f} MiB", "", f"< {MEMORY_LIMIT_KIB // 1024} MiB",
                 "met" if under_limit else "MISSED"))
    if not flat:
        missed.append("flat memory")
    if not under_limit:
        missed.append("memory limit")

    header = ("measurement", f"median ({args.clock})", "wall / CPU", "target", "")
    print_table(header, rows, args.markdown)
    if missed:
        print("targets missed: " + ", ".join(missed))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
