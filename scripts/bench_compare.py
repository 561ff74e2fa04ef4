"""Compares our Lanczos stretch with Pillow's (Image.resize, Image.LANCZOS)
and, for the shrink cases, with npm sharp's (libvips, kernel lanczos3).

Run through scripts/bench-compare, which installs Pillow and sharp and passes
the file holding the JSON output of `scripts/bench --benchmark_filter=Stretch`
(and `--sharp DIR`, sharp's module folder, when sharp could be installed).
Every side is timed in process CPU time (the machine may be shared), single
threaded, on random-noise pictures, output allocation included; the figure is
output megapixels per second (median of several repeats).

Pillow keeps RGB pictures as 4 bytes per pixel and premultiplies RGBA around
the resize, so RGB is its fastest case: the headline ratio uses RGB. sharp
also premultiplies RGBA, so its ratio uses RGB too (scripts/bench_sharp.js).
"""

import argparse
import json
import os
import re
import statistics
import subprocess
import sys
import time
import timeit

from PIL import Image

REPEATS = 7


def pillow_mpix(mode, sw, sh, dw, dh):
    image = Image.frombytes(mode, (sw, sh), os.urandom(sw * sh * len(mode)))
    run = lambda: image.resize((dw, dh), Image.LANCZOS)
    run()  # warm up
    # Enough calls per repeat for about 0.2 s.
    once = min(timeit.repeat(run, number=1, repeat=2, timer=time.process_time))
    number = max(1, int(0.2 / max(once, 1e-6)))
    times = timeit.repeat(run, number=number, repeat=REPEATS, timer=time.process_time)
    per_call = statistics.median(times) / number
    return dw * dh / per_call / 1e6


def our_cases(report):
    """Output Mpix/s per (sw, sh, dw, dh): the median aggregate when the run
    had repetitions, else the single result."""
    cases, medians = {}, {}
    for b in report["benchmarks"]:
        m = re.fullmatch(r"Stretch/(\d+)x(\d+)_to_(\d+)x(\d+)(_median)?", b["name"])
        if not m or "items_per_second" not in b:
            continue
        key = tuple(int(g) for g in m.groups()[:4])
        if b.get("run_type") == "aggregate":
            if b.get("aggregate_name") == "median":
                medians[key] = b["items_per_second"] / 1e6
        else:
            cases[key] = b["items_per_second"] / 1e6
    cases.update(medians)
    return cases


def sharp_mpix(sharp_dir, sw, sh, dw, dh):
    """sharp's version line and Mpix/s by channel count, or an error text."""
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bench_sharp.js")
    run = subprocess.run(["node", script, sharp_dir, str(sw), str(sh), str(dw), str(dh)],
                         capture_output=True, text=True)
    if run.returncode != 0:
        lines = run.stderr.strip().splitlines()
        return None, lines[0] if lines else f"node exited with {run.returncode}"
    lines = [json.loads(line) for line in run.stdout.splitlines() if line.strip()]
    versions = lines[0]
    return (f"sharp {versions['sharp']} (libvips {versions['vips']})",
            {line["channels"]: line["mpix"] for line in lines[1:]}), None


def print_sharp(cases, sharp_dir, sharp_missing):
    shrinks = [(k, v) for k, v in cases.items() if k[2] < k[0] and k[3] < k[1]]
    if not shrinks:
        return
    if not sharp_dir:
        print(f"sharp: left out ({sharp_missing or 'no --sharp folder given'})")
        return
    header = False
    for (sw, sh, dw, dh), ours in shrinks:
        result, error = sharp_mpix(sharp_dir, sw, sh, dw, dh)
        if error:
            print(f"sharp: left out ({error})")
            return
        name, mpix = result
        if not header:
            print(f"{name}, concurrency 1, lanczos3, raw pixels in and out, CPU time")
            print(f"{'case':34} {'ours':>8} {'sh RGB':>8} {'ratio':>6} {'sh RGBA':>9} {'ratio':>6}")
            header = True
        rgb, rgba = mpix[3], mpix[4]
        label = f"Stretch/{sw}x{sh}_to_{dw}x{dh}"
        print(f"{label:34} {ours:8.1f} {rgb:8.1f} {ours / rgb:6.2f} {rgba:9.1f} {ours / rgba:6.2f}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("report", help="Google Benchmark JSON output of the Stretch cases")
    parser.add_argument("--sharp", help="sharp's module folder (node_modules/sharp)")
    parser.add_argument("--sharp-missing", help="why sharp is not there, for the message")
    args = parser.parse_args()
    with open(args.report) as f:
        report = json.load(f)
    cases = our_cases(report)
    if not cases:
        sys.exit("no Stretch results in the benchmark output")
    import PIL
    print(f"Pillow {PIL.__version__}, CPU time, median of {REPEATS}; Mpix/s = output pixels")
    print(f"{'case':34} {'ours':>8} {'Pil RGB':>8} {'ratio':>6} {'Pil RGBA':>9} {'ratio':>6}")
    worst = None
    for (sw, sh, dw, dh), ours in cases.items():
        rgb = pillow_mpix("RGB", sw, sh, dw, dh)
        rgba = pillow_mpix("RGBA", sw, sh, dw, dh)
        name = f"Stretch/{sw}x{sh}_to_{dw}x{dh}"
        print(f"{name:34} {ours:8.1f} {rgb:8.1f} {ours / rgb:6.2f} {rgba:9.1f} {ours / rgba:6.2f}")
        worst = ours / rgb if worst is None else min(worst, ours / rgb)
    print(f"lowest ratio against Pillow RGB: {worst:.2f}")
    print_sharp(cases, args.sharp, args.sharp_missing)


if __name__ == "__main__":
    main()
