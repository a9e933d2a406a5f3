#!/usr/bin/env python3
"""A small table's whole render, one process per run: `tvktool transform` of the example table
demo_books, the builds' runs interleaved (alternating their order), so that a loaded machine
weighs on every build alike. Prints wall time (min and median of the runs) of each build and
its ratio to the first.

usage: bench/small_table.py BASE_BUILD_DIR BUILD_DIR... [--runs 60]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../resources/examples")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("builds", nargs="+")
    parser.add_argument("--runs", type=int, default=60)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as home:
        os.environ["TARVIK_HOME"] = home
        shutil.copytree(EXAMPLES, os.path.join(home, "examples"))
        table = os.path.join(home, "examples/demo_books.tvk")
        commands = [[os.path.join(os.path.abspath(b), "tests/tools/tvktool"), "transform", table]
                    for b in args.builds]
        times = [[] for _ in commands]
        for run in range(args.runs + 1):  # the first round only warms the caches
            order = list(range(len(commands)))
            if run % 2:
                order.reverse()
            for k in order:
                start = time.perf_counter()
                subprocess.run(commands[k], stdout=subprocess.DEVNULL, check=True)
                if run:
                    times[k].append(time.perf_counter() - start)
    low0, median0 = min(times[0]), statistics.median(times[0])
    print(f"{'build':<40} {'min ms':>7} {'median ms':>9} {'min/base':>8} {'median/base':>11}")
    for build, runs in zip(args.builds, times):
        low, median = min(runs), statistics.median(runs)
        print(f"{build:<40} {low * 1e3:>7.2f} {median * 1e3:>9.2f} {low / low0:>8.3f} "
              f"{median / median0:>11.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
