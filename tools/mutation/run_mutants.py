#!/usr/bin/python3
"""Runs a mutation round: each mutant is one small, plausible mistake written into the source
(an exact text replaced once), built, and put to the test binaries that should notice it; the
source is restored after every mutant, also when the build or a run fails. Prints one line a
mutant (killed by which tests, or survived) and the score.

    tools/mutation/run_mutants.py [--build-dir build/release] [--only M01,M02] tools/mutation/mutants.json

The mutant file is a JSON list of objects: id, layer, what (one line: the mistake), file, old
(the exact text, standing once in the file), new, tests (target names of the test executables
that should notice). Run it under xvfb-run when a listed test needs a display. It leaves the
build directory built from the unmutated source."""

import argparse
import glob
import json
import os
import re
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def build(build_dir, targets):
    result = subprocess.run(["cmake", "--build", build_dir, "--target", *targets, "-j2"],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    return result.returncode == 0, result.stdout


def executable(build_dir, target):
    found = glob.glob(os.path.join(build_dir, "tests", "**", target), recursive=True)
    found = [f for f in found if os.path.isfile(f) and os.access(f, os.X_OK)]
    if len(found) != 1:
        raise SystemExit(f"no single executable for {target}: {found}")
    return found[0]


def failed_tests(path, timeout):
    """The names of the failing test cases of one executable ([] when all pass)."""
    try:
        result = subprocess.run([path], stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, errors="replace",
                                timeout=timeout, cwd=os.path.dirname(path))
    except subprocess.TimeoutExpired:
        return [f"{os.path.basename(path)}: timed out"]
    names = sorted(set(re.findall(r"^\[  FAILED  \] (\S+\.\S+)", result.stdout, re.M)))
    if result.returncode != 0 and not names:
        names = [f"{os.path.basename(path)}: exit {result.returncode}"]
    return names


def run_mutant(mutant, build_dir, timeout):
    path = os.path.join(ROOT, mutant["file"])
    with open(path, encoding="utf-8") as f:
        original = f.read()
    if original.count(mutant["old"]) != 1:
        return "not applied", [f"the text to replace stands {original.count(mutant['old'])} times"]
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(mutant["old"], mutant["new"]))
        ok, log = build(build_dir, mutant["tests"])
        if not ok:
            return "build failed", [line for line in log.splitlines() if "error" in line][:3]
        failures = []
        for target in mutant["tests"]:
            failures += failed_tests(executable(build_dir, target), timeout)
        return ("killed" if failures else "survived"), failures
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mutants")
    parser.add_argument("--build-dir", default=os.path.join(ROOT, "build", "release"))
    parser.add_argument("--only", default="")
    parser.add_argument("--timeout", type=int, default=300)
    args = parser.parse_args()
    args.build_dir = os.path.abspath(args.build_dir)
    with open(args.mutants, encoding="utf-8") as f:
        mutants = json.load(f)
    if args.only:
        wanted = set(args.only.split(","))
        mutants = [m for m in mutants if m["id"] in wanted]
    counts = {}
    for mutant in mutants:
        start = time.monotonic()
        outcome, details = run_mutant(mutant, args.build_dir, args.timeout)
        counts[outcome] = counts.get(outcome, 0) + 1
        print(f"{mutant['id']} {mutant['layer']} {outcome} ({time.monotonic() - start:.0f} s): {mutant['what']}")
        for line in details[:6]:
            print(f"    {line}")
        sys.stdout.flush()
    # Restore the build of the unmutated source.
    build(args.build_dir, sorted({t for m in mutants for t in m["tests"]}))
    killed, judged = counts.get("killed", 0), counts.get("killed", 0) + counts.get("survived", 0)
    if judged:
        print(f"killed {killed} of {judged} ({100 * killed / judged:.0f} %); other outcomes: "
              + ", ".join(f"{k} {v}" for k, v in counts.items() if k not in ("killed", "survived")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
