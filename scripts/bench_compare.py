"""Compares our Lanczos stretch with Pillow's (Image.resize, Image.LANCZOS).

Run through scripts/bench-compare, which installs Pillow and passes the file
holding the JSON output of `scripts/bench --benchmark_filter=Stretch`. Both sides are timed in process CPU time (the machine may be shared), single
threaded, on random-noise pictures, output allocation included; the figure is
output megapixels per second (median of several repeats).

Pillow keeps RGB pictures as 4 bytes per pixel and premultiplies RGBA around
the resize, so RGB is its fastest case: the headline ratio uses RGB.
"""

import json
import os
import re
import statistics
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


def main():
    with open(sys.argv[1]) as f:
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


if __name__ == "__main__":
    main()
