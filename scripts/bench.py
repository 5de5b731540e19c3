#!/usr/bin/env python3
"""make bench: builds the benchmarks in Release, makes the made-up banks, measures, and prints one line a figure:
NAME VALUE UNIT budget BUDGET ok|over. Build output goes to standard error, so standard output holds the header and
the figures only. Exits 1 when a figure is over its budget."""
import json
import os
import statistics
import subprocess
import sys
import tempfile

import bench_startup

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Google Benchmark figures: the benchmark's name is the figure's, its unit is set in the benchmark. The last column
# is the number of decimals printed.
BENCHMARKS = [
    ("decode_field_ns", "ns", 500, 0),
    ("move_1200_us", "us", 50, 1),
    ("move_1m_us", "us", 50, 1),
    ("open_all_1m_ms", "ms", 300, 0),
    ("exam_draw_1200_ms", "ms", 5, 2),
    ("exam_draw_1m_ms", "ms", 150, 0),
]
PEAK_BUDGET_MIB = 200
REPETITIONS = 5
BANKS = {"1200": 1200, "1m": 1_000_000}


def run(args, **kwargs):
    return subprocess.run(args, check=True, **kwargs)


def build(folder):
    run(["cmake", "-S", ROOT, "-B", folder, "-DCMAKE_BUILD_TYPE=Release", "-DZUVO_BENCH=ON",
         "-DZUVO_BUILD_TESTS=OFF"], stdout=sys.stderr)
    run(["cmake", "--build", folder, "-j2"], stdout=sys.stderr)


def make_banks(folder):
    """Banks are made again whenever the bank tool is newer, so a change of the bank's layout reaches them."""
    tool = os.path.join(folder, "zuvo-bank")
    for name, count in BANKS.items():
        bank = os.path.join(folder, "banks", name, "Word.mdb")
        if os.path.exists(bank) and os.path.getmtime(bank) >= os.path.getmtime(tool):
            continue
        os.makedirs(os.path.dirname(bank), exist_ok=True)
        print(f"making a bank of {count} questions", file=sys.stderr)
        run([tool, "synth", str(count), bank], stdout=sys.stderr)


def line(name, value, unit, budget, digits):
    text = bench_startup.figure(name, value, unit, budget, digits)
    print(text, flush=True)
    return text.endswith(" ok")


def google_benchmarks(folder):
    with tempfile.TemporaryDirectory() as scratch:
        out = os.path.join(scratch, "bench.json")
        run([os.path.join(folder, "bank_bench"), f"--benchmark_repetitions={REPETITIONS}",
             "--benchmark_report_aggregates_only=true", f"--benchmark_out={out}", "--benchmark_out_format=json",
             os.path.join(folder, "banks")], stdout=sys.stderr)
        with open(out) as f:
            results = json.load(f)["benchmarks"]
    medians = {r["run_name"]: r["real_time"] for r in results if r.get("aggregate_name") == "median"}
    return all([line(name, medians[name], unit, budget, digits) for name, unit, budget, digits in BENCHMARKS])


def exam_peak(folder):
    peaks = []
    for _ in range(3):
        done = run([os.path.join(folder, "exam_peak"), os.path.join(folder, "banks", "1m")],
                   stdout=subprocess.PIPE, text=True)
        peaks.append(float(done.stdout))
    return line("exam_draw_1m_peak_mib", statistics.median(peaks), "MiB", PEAK_BUDGET_MIB, 0)


def startup(folder):
    try:
        lines = bench_startup.measure(folder)
    except bench_startup.BenchError as error:
        print(f"bench: {error}", file=sys.stderr)
        return False
    print("\n".join(lines), flush=True)
    return all(text.endswith(" ok") for text in lines)


def main():
    folder = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build-bench"))
    build(folder)
    make_banks(folder)
    print("figure value unit budget limit verdict (medians; this machine: "
          f"{os.cpu_count()} cores)", flush=True)
    ok = [google_benchmarks(folder), exam_peak(folder), startup(folder)]
    sys.exit(0 if all(ok) else 1)


if __name__ == "__main__":
    main()
