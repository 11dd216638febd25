#!/usr/bin/python3
"""Times our resampler beside Pillow and ImageMagick on the same 4000 x 3000 picture.

Usage: bench/resample-peers.py [path/to/bench_resample] [--repeat N]

The picture comes from bench_resample itself (--write-ppm), so all three resize the very
same pixels. Times are CPU milliseconds of one resize, the best of N runs (the machine may be
shared, and CPU time is less disturbed by other work than wall time). ImageMagick runs with
one thread; its time is `convert in.ppm -filter F -resize WxH! null:` minus the time of
`convert in.ppm null:`, so reading the file is not counted. A ratio above 1 means we are
faster.
"""
import json
import os
import subprocess
import sys
import tempfile
import time

from PIL import Image

FILTERS = [
    # (our name, Pillow filter, ImageMagick filter)
    ("None", Image.NEAREST, "Point"),
    ("Triangle", Image.BILINEAR, "Triangle"),
    ("Hermite", Image.HAMMING, "Hermite"),
    ("Bell", Image.BICUBIC, "Quadratic"),
    ("BSpline", Image.BICUBIC, "Spline"),
    ("Lanczos3", Image.LANCZOS, "Lanczos"),
    ("Mitchell", Image.BICUBIC, "Mitchell"),
    ("Nearest", Image.BOX, "Box"),
    ("Linear", Image.BILINEAR, "Triangle"),
    ("Fast Linear", Image.BOX, "Box"),
]
PILLOW_NAMES = {Image.NEAREST: "NEAREST", Image.BILINEAR: "BILINEAR", Image.HAMMING: "HAMMING",
                Image.BICUBIC: "BICUBIC", Image.LANCZOS: "LANCZOS", Image.BOX: "BOX"}
SIZES = [(640, 480), (120, 90)]


def ours(binary, repeat):
    out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_filter=^BM_Resample/",
                          f"--benchmark_repetitions={repeat}",
                          "--benchmark_report_aggregates_only=false"],
                         check=True, capture_output=True, text=True).stdout
    best = {}
    for run in json.loads(out)["benchmarks"]:
        if run.get("run_type") != "iteration":
            continue
        # BM_Resample/<filter>/<w>/<h>/...
        parts = run["name"].split("/")
        key = (int(parts[1]), int(parts[2]), int(parts[3]))
        cpu = run["cpu_time"]  # milliseconds (the benchmark's unit)
        best[key] = min(best.get(key, cpu), cpu)
    return best


def pillow(image, pillow_filter, size, repeat):
    best = None
    for _ in range(repeat):
        start = time.process_time()
        image.resize(size, pillow_filter)
        spent = (time.process_time() - start) * 1000
        best = spent if best is None else min(best, spent)
    return best


def child_cpu_ms(command, env):
    pid = os.fork()
    if pid == 0:
        devnull = os.open(os.devnull, os.O_WRONLY)
        os.dup2(devnull, 1)
        os.dup2(devnull, 2)
        os.execvpe(command[0], command, env)
    _, status, usage = os.wait4(pid, 0)
    if status != 0:
        raise RuntimeError("failed: " + " ".join(command))
    return (usage.ru_utime + usage.ru_stime) * 1000


def magick(ppm, magick_filter, size, repeat, env):
    def best(command):
        return min(child_cpu_ms(command, env) for _ in range(repeat))
    read_only = best(["convert", ppm, "null:"])
    resized = best(["convert", ppm, "-filter", magick_filter,
                    "-resize", f"{size[0]}x{size[1]}!", "null:"])
    return max(resized - read_only, 0.01)


def main():
    args = sys.argv[1:]
    repeat = 3
    if "--repeat" in args:
        at = args.index("--repeat")
        repeat = int(args[at + 1])
        del args[at:at + 2]
    binary = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "build",
                                                 "bench", "bench_resample")
    env = dict(os.environ, MAGICK_THREAD_LIMIT="1", OMP_NUM_THREADS="1")
    with tempfile.TemporaryDirectory() as folder:
        ppm = os.path.join(folder, "source.ppm")
        subprocess.run([binary, "--write-ppm", ppm, "--benchmark_filter=^$"], check=True,
                       capture_output=True)
        image = Image.open(ppm)
        image.load()
        our_times = ours(binary, repeat)
        print(f"{'filter':<12} {'size':>8} {'ours ms':>8} {'Pillow':>10} {'ms':>7} {'ratio':>6}"
              f" {'ImageMagick':>12} {'ms':>7} {'ratio':>6}")
        for index, (name, pillow_filter, magick_filter) in enumerate(FILTERS):
            for size in SIZES:
                mine = our_times[(index, size[0], size[1])]
                theirs = pillow(image, pillow_filter, size, repeat)
                im = magick(ppm, magick_filter, size, repeat, env)
                print(f"{name:<12} {size[0]:>4}x{size[1]:<3} {mine:8.1f}"
                      f" {PILLOW_NAMES[pillow_filter]:>10} {theirs:7.1f} {theirs / mine:6.2f}"
                      f" {magick_filter:>12} {im:7.1f} {im / mine:6.2f}")


if __name__ == "__main__":
    main()
