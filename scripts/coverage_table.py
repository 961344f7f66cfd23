#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Prints gcovr's summary per folder and checks each folder's line coverage
against its floor.

    coverage_table.py SUMMARY.json FLOORS

FLOORS holds "folder percent" lines ('#' starts a comment). A folder below its
floor, or a product folder with no floor, makes the exit status 1.
"""
import json
import sys
from collections import defaultdict


def main(summary_path, floor_path):
    with open(summary_path, encoding="utf-8") as f:
        files = json.load(f)["files"]
    totals = defaultdict(lambda: [0, 0, 0, 0])
    for entry in files:
        folder = entry["filename"].split("/")[0]
        t = totals[folder]
        t[0] += entry["line_covered"]
        t[1] += entry["line_total"]
        t[2] += entry["branch_covered"]
        t[3] += entry["branch_total"]

    floors = {}
    with open(floor_path, encoding="utf-8") as f:
        for line in f:
            words = line.split("#", 1)[0].split()
            if words:
                floors[words[0]] = float(words[1])

    def percent(covered, total):
        return 100.0 * covered / total if total else 100.0

    failed = False
    print(f"{'folder':<10} {'lines':>13} {'line %':>7} {'branches':>13} {'branch %':>8}  floor")
    for folder in sorted(totals):
        lc, lt, bc, bt = totals[folder]
        line_pct = percent(lc, lt)
        floor = floors.get(folder)
        mark = "" if floor is None else f"{floor:.1f}"
        if floor is None:
            mark, failed = "none", True
        elif line_pct < floor:
            mark, failed = f"{floor:.1f}  BELOW", True
        print(f"{folder:<10} {lc:>6}/{lt:<6} {line_pct:>7.1f} {bc:>6}/{bt:<6} "
              f"{percent(bc, bt):>8.1f}  {mark}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
