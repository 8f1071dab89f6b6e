#!/usr/bin/python3
"""The peer of the compute-and-render benchmarks: the calculator's two 100-point responses
computed with numpy and drawn as two curves into one 265 x 169 raster with matplotlib's Agg
backend, timed in this process over many repetitions. Prints one JSON object with medians in
microseconds.

The figure, its axes and the two lines are made once, outside the timing: every repetition
computes the curves, hands them to the lines and renders the whole figure into its raster.
That is the cheapest full redraw the library offers, so the comparison favours the peer."""

import argparse
import json
import statistics
import sys
import time

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (the backend must be chosen first)
import numpy as np  # noqa: E402

POINTS = 100
WIDTH, HEIGHT, DPI = 265, 169, 100


def responses(fc, q):
    """The high-pass from fc/3 and the low-pass from fc/10, 100 points on geometric grids
    spanning 30^(99/100), gains in dB: the same equations as the calculator."""
    step = 30.0 ** 0.01
    grid = step ** np.arange(POINTS)
    high_f = fc / 3.0 * grid
    low_f = fc / 10.0 * grid
    x = high_f / fc
    high_gain = 20.0 * np.log10(x * x / np.sqrt((high_f / (q * fc)) ** 2 + (1.0 - x * x) ** 2))
    u = fc / low_f
    low_gain = 20.0 * np.log10(u * u / np.sqrt((fc / (q * low_f)) ** 2 + (1.0 - u * u) ** 2))
    return high_f, high_gain, low_f, low_gain


def make_figure():
    fig = plt.figure(figsize=(WIDTH / DPI, HEIGHT / DPI), dpi=DPI)
    ax = fig.add_axes((0.1, 0.12, 0.86, 0.84))
    ax.set_xscale("log")
    ax.set_xlabel("f", fontweight="bold", fontsize=8)
    ax.set_ylabel("dB", fontweight="bold", fontsize=8)
    ax.tick_params(labelbottom=False, labelleft=False)
    ax.grid(True, which="major", linestyle=":", color="gray")
    (high,) = ax.plot([1, 2], [0, 0], color="blue", linewidth=2)
    (low,) = ax.plot([1, 2], [0, 0], color="red", linewidth=2)
    return fig, ax, high, low


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repetitions", type=int, default=300)
    parser.add_argument("--warmup", type=int, default=20)
    parser.add_argument("--fc", type=float, default=100.0)
    parser.add_argument("--q", type=float, default=0.7)
    args = parser.parse_args()

    fig, ax, high, low = make_figure()
    compute_ns, total_ns, total_cpu_ns = [], [], []
    raster = None
    for i in range(args.warmup + args.repetitions):
        start = time.perf_counter_ns()
        start_cpu = time.process_time_ns()
        high_f, high_gain, low_f, low_gain = responses(args.fc, args.q)
        computed = time.perf_counter_ns()
        high.set_data(high_f, high_gain)
        low.set_data(low_f, low_gain)
        ax.relim()
        ax.autoscale_view()
        fig.canvas.draw()
        raster = np.asarray(fig.canvas.buffer_rgba())
        end = time.perf_counter_ns()
        end_cpu = time.process_time_ns()
        if i >= args.warmup:
            compute_ns.append(computed - start)
            total_ns.append(end - start)
            total_cpu_ns.append(end_cpu - start_cpu)

    if raster is None or raster.shape[:2] != (HEIGHT, WIDTH):
        print(f"peer: the raster is {None if raster is None else raster.shape}, not {HEIGHT} x {WIDTH}",
              file=sys.stderr)
        return 1
    # A render that left the raster blank would time nothing worth comparing.
    if len(np.unique(raster.reshape(-1, 4), axis=0)) < 3:
        print("peer: the raster holds no curves", file=sys.stderr)
        return 1
    print(json.dumps({
        "peer": "numpy + matplotlib " + matplotlib.__version__ + " (Agg)",
        "repetitions": args.repetitions,
        "compute_us": statistics.median(compute_ns) / 1000.0,
        "compute_and_render_us": statistics.median(total_ns) / 1000.0,
        "compute_and_render_cpu_us": statistics.median(total_cpu_ns) / 1000.0,
        "width": int(raster.shape[1]),
        "height": int(raster.shape[0]),
    }))
    return 0


if __name__ == "__main__":
    sys.exit(main())
