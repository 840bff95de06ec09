"""Shared timing for the Pillow comparison scripts: our benchmark's rates from its JSON output, and Pillow's
decode and encode rates on the same file, both measured alike in CPU time (best of ROUNDS, each the mean of a
batch of runs lasting at least ROUND_SECONDS)."""
import io
import json
import os
import subprocess
import time

from PIL import Image

ROUNDS = 5
ROUND_SECONDS = 0.5


def best_cpu_seconds(action):
    best = float("inf")
    for _ in range(ROUNDS):
        runs, start = 0, time.process_time()
        while True:
            action()
            runs += 1
            spent = time.process_time() - start
            if spent >= ROUND_SECONDS:
                break
        best = min(best, spent / runs)
    return best


def our_rates(benchmark):
    """Best MP/s of each benchmark of the executable, by name."""
    run = subprocess.run([benchmark, "--benchmark_format=json", f"--benchmark_repetitions={ROUNDS}",
                          f"--benchmark_min_time={ROUND_SECONDS}"], check=True, capture_output=True, text=True)
    rates = {}
    for b in json.loads(run.stdout)["benchmarks"]:
        if b.get("run_type", "iteration") == "iteration":
            name = b.get("run_name", b["name"])
            rates[name] = max(rates.get(name, 0), b["MP/s"])
    return rates


def pillow_rates(path, save):
    """Pillow's decode rate of the file and its encode rate of the decoded picture through save(picture, out),
    in megapixels per second, and the sizes of both files."""
    data = open(path, "rb").read()

    def decode():
        with Image.open(io.BytesIO(data)) as picture:
            picture.load()

    with Image.open(io.BytesIO(data)) as picture:
        picture.load()
        loaded = picture.copy()
    out_path = path + ".pillow"
    pixels = loaded.size[0] * loaded.size[1] / 1e6
    rates = {"Decode": pixels / best_cpu_seconds(decode),
             "Encode": pixels / best_cpu_seconds(lambda: save(loaded, out_path))}
    sizes = {"VYD": len(data), "Pillow": os.path.getsize(out_path)}
    os.remove(out_path)
    return rates, sizes


def print_row(label, mine, theirs):
    print(f"{label:<12}{mine:>12.1f}{theirs:>14.1f}{mine / theirs:>9.2f}")


def print_heading(format_name):
    print(f"{format_name:<12}{'VYD MP/s':>12}{'Pillow MP/s':>14}{'ratio':>9}")
