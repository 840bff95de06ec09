#!/usr/bin/python3
"""Times Pillow on the PCX files bench_pcx writes and prints each rate beside ours.

Usage: /usr/bin/python3 bench/compare_pillow_pcx.py BUILD/bench/bench_pcx
Runs the benchmark (which leaves vyd_bench_pcx8.pcx and vyd_bench_pcx24.pcx in $VYD_BENCH_DIR, default /tmp),
then decodes and encodes the same files with Pillow, in CPU time as the benchmark counts it.
A ratio above 1 means we are faster."""
import os
import sys

from pillow_timing import our_rates, pillow_rates, print_heading, print_row


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = os.environ.get("VYD_BENCH_DIR") or "/tmp"
    ours = our_rates(sys.argv[1])
    print_heading("PCX")
    for bits in (8, 24):
        theirs, _ = pillow_rates(os.path.join(folder, f"vyd_bench_pcx{bits}.pcx"),
                                 lambda picture, out: picture.save(out, "PCX"))
        for action in ("Decode", "Encode"):
            print_row(f"{action} {bits}", ours[f"BM_Pcx{action}{bits}"], theirs[action])


if __name__ == "__main__":
    main()
