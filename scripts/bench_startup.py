#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The figures of make bench that need a real Qt process: start-up time and memory against a floor, and the CPU of
# the exam's pause. Usage: bench_startup.py BUILD_DIR. Prints three figure lines; diagnostics go to stderr.
import hashlib
import os
import resource
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

RUNS = 10
START_TIMEOUT_S = 30
DELAY_TIMEOUT_S = 60
XVFB_TIMEOUT_S = 10

PROGRAM = "zuvo"
FLOOR = "bench_startup_floor"
DELAY_CPU = "bench_delay_cpu"
# What the programs need beside themselves; nothing else of the build folder is copied.
COPIED = [PROGRAM, FLOOR, DELAY_CPU, "Word.mdb"]


class BenchError(Exception):
    pass


def log(text):
    print(text, file=sys.stderr, flush=True)


def figure(name, value, unit, budget, digits):
    verdict = "ok" if value <= budget else "over"
    budget_text = f"{budget:.2f}" if isinstance(budget, float) else str(budget)
    return f"{name} {value:.{digits}f} {unit} budget {budget_text} {verdict}"


class Xvfb:
    """An X server of our own, on a display number it picks itself (-displayfd), so that no other is disturbed.
    -noreset: a server whose last client leaves resets and compiles its keymap again for the next one, which would
    add tens of milliseconds of the server's own to every run."""

    def __enter__(self):
        read_end, write_end = os.pipe()
        try:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"],
                pass_fds=[write_end], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL, start_new_session=True)
        except OSError as error:
            os.close(read_end)
            os.close(write_end)
            raise BenchError(f"Xvfb does not start: {error}")
        os.close(write_end)
        try:
            number = b""
            deadline = time.monotonic() + XVFB_TIMEOUT_S
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([read_end], [], [], left)[0]:
                    raise BenchError("Xvfb did not report its display in time")
                chunk = os.read(read_end, 64)
                if not chunk:
                    raise BenchError("Xvfb ended without a display")
                number += chunk
        except BaseException:
            self.__exit__(None, None, None)
            raise
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()
        log(f"Xvfb on display {self.display}")
        return self

    def __exit__(self, *exc):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(XVFB_TIMEOUT_S)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        return False


def run(path, env, timeout, log_path):
    """Runs path to its end: (wall seconds from just before the spawn to the exit, peak RSS in KiB, stdout)."""
    with open(log_path, "ab") as errors, tempfile.TemporaryFile() as output:
        started = time.perf_counter()
        try:
            # A session of its own, so that a program that hangs is stopped with whatever it started.
            pid = os.posix_spawn(path, [path], env, setsid=True, file_actions=[
                (os.POSIX_SPAWN_DUP2, output.fileno(), 1),
                (os.POSIX_SPAWN_DUP2, errors.fileno(), 2),
            ])
        except OSError as error:
            raise BenchError(f"{os.path.basename(path)} does not start: {error}")
        # A pidfd wakes us at the exit itself, without polling, and cannot name a reused process id.
        pidfd = os.pidfd_open(pid)
        try:
            ready = select.select([pidfd], [], [], timeout)[0]
            if not ready:
                os.killpg(pid, signal.SIGKILL)
                os.wait4(pid, 0)
                raise BenchError(f"{os.path.basename(path)} did not exit within {timeout} s")
            _, status, usage = os.wait4(pid, 0)
            wall = time.perf_counter() - started
        finally:
            os.close(pidfd)
        output.seek(0)
        text = output.read().decode(errors="replace")
    code = os.waitstatus_to_exitcode(status)
    if code != 0:
        raise BenchError(f"{os.path.basename(path)} failed with exit status {code}")
    # A spawned child starts out sharing this process's memory, and the kernel carries that peak over the exec: a
    # child's figure at or below ours says nothing about the child.
    if usage.ru_maxrss <= resource.getrusage(resource.RUSAGE_SELF).ru_maxrss:
        raise BenchError(f"{os.path.basename(path)}: its peak memory cannot be told from this script's")
    return wall, usage.ru_maxrss, text


def folder_state(folder):
    """What a run could change beside the programs: the names and sizes of the files, and the bank's bytes."""
    state = {name: os.path.getsize(os.path.join(folder, name)) for name in sorted(os.listdir(folder))}
    with open(os.path.join(folder, "Word.mdb"), "rb") as bank:
        state["Word.mdb sha256"] = hashlib.sha256(bank.read()).hexdigest()
    return state


def measure(build_dir):
    missing = [name for name in COPIED if not os.path.isfile(os.path.join(build_dir, name))]
    if missing:
        raise BenchError(f"not in {build_dir}: {', '.join(missing)} (configure with -DZUVO_BENCH=ON and build)")
    with tempfile.TemporaryDirectory(prefix="zuvo-bench-") as folder:
        # A copy of the program folder of its own: whatever a run leaves beside the program (settings, banners, the
        # bank's state) cannot change what the next run, or the next make bench, measures.
        programs_folder = os.path.join(folder, "program")
        os.mkdir(programs_folder)
        for name in COPIED:
            shutil.copy2(os.path.join(build_dir, name), programs_folder)
        runtime_dir = os.path.join(folder, "runtime")
        os.mkdir(runtime_dir, 0o700)
        log_path = os.path.join(folder, "programs.log")
        before = folder_state(programs_folder)
        with Xvfb() as xvfb:
            env = dict(os.environ)
            for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"):
                env.pop(name, None)
            env.update({
                "DISPLAY": xvfb.display,
                "QT_QPA_PLATFORM": "xcb",
                "XDG_RUNTIME_DIR": runtime_dir,
                # Without a session bus, Qt's accessibility would have D-Bus start one (a fork and a search of the
                # PATH) in every run; a bus address that does not answer is what a desktop without one looks like.
                "DBUS_SESSION_BUS_ADDRESS": "unix:path=" + os.path.join(folder, "no-session-bus"),
                "ZUVO_EXIT_AFTER_START": "1",
                # Port 9 of the loop-back refuses at once: the ad worker tries both hosts and gives up, no network.
                "ZUVO_AD_HOSTS": "http://127.0.0.1:9,http://127.0.0.1:9",
            })
            programs = {name: os.path.join(programs_folder, name) for name in (PROGRAM, FLOOR)}
            samples = {PROGRAM: [], FLOOR: []}
            try:
                for name in (PROGRAM, FLOOR):  # warm-up: the page cache and the font cache, not counted
                    run(programs[name], env, START_TIMEOUT_S, log_path)
                for index in range(RUNS):
                    # Interleaved, and the order swapped every round, so that a drift in the machine's load
                    # falls on both alike.
                    order = (PROGRAM, FLOOR) if index % 2 == 0 else (FLOOR, PROGRAM)
                    for name in order:
                        wall, rss, _ = run(programs[name], env, START_TIMEOUT_S, log_path)
                        samples[name].append((wall, rss))
                _, _, delay_output = run(os.path.join(programs_folder, DELAY_CPU), env, DELAY_TIMEOUT_S, log_path)
            except BenchError:
                with open(log_path, errors="replace") as errors:
                    sys.stderr.write(errors.read()[-4000:])
                raise
        if folder_state(programs_folder) != before:
            log("warning: the runs changed the program folder, so later runs may have measured something else")
    for name in (PROGRAM, FLOOR):
        walls = [wall for wall, _ in samples[name]]
        rsses = [rss for _, rss in samples[name]]
        log(f"{name}: start-up {statistics.median(walls) * 1000:.1f} ms median "
            f"({min(walls) * 1000:.1f} to {max(walls) * 1000:.1f}), peak RSS {statistics.median(rsses) / 1024:.1f} MiB")
    wall_of = {name: statistics.median(wall for wall, _ in samples[name]) for name in samples}
    rss_of = {name: statistics.median(rss for _, rss in samples[name]) for name in samples}
    try:
        delay_percent = float(delay_output.split()[-1])
    except (IndexError, ValueError):
        raise BenchError(f"{DELAY_CPU} printed no figure: {delay_output!r}")
    return [
        figure("startup_ratio", wall_of[PROGRAM] / wall_of[FLOOR], "ratio", 1.30, 2),
        figure("startup_rss_over_floor_mib", (rss_of[PROGRAM] - rss_of[FLOOR]) / 1024, "MiB", 15, 1),
        figure("delay_cpu_percent", delay_percent, "%", 5, 1),
    ]


def main():
    if len(sys.argv) != 2:
        log("usage: bench_startup.py BUILD_DIR")
        return 2
    try:
        lines = measure(os.path.abspath(sys.argv[1]))
    except BenchError as error:
        log(f"bench_startup: {error}")
        return 1
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
