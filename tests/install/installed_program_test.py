#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The installed program as a learner meets it: installed into a read-only prefix, run by an ordinary user with an
# empty home under its own X server, a mock exam answered wrongly and handed in, then a second start that finds the
# key points in the learner's copy of the bank and practises them.
#
# Usage: installed_program_test.py CMAKE BUILD_DIR. Exits 77 (skipped) when it cannot run here.
import os
import pwd
import select
import shutil
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
APP_ID = "org.vexa.zuvo"
TITLE = "Vexa机动车驾照模拟考试系统 V1.3"
WAIT_SECONDS = 60

# Window coordinates of the controls, from the fixed layout (ui/main_window.cpp, ui/group_bar.cpp, ui/dialogs.cpp).
EXAM_ITEM = (72, 62 + 24 + 8 + 3 * 84 + 38)
KEY_POINT_ITEM = (72, 62 + 24 + 8 + 4 * 84 + 38)
DIALOG_OK = (148 + 30, 94 + 12)
BUTTON_A = (307 + 42, 440 + 15)
BUTTON_NEXT = (531 + 42, 476 + 15)
BUTTON_LEFT_COMMAND = (195 + 42, 440 + 15)  # 检查漏题(0), 重新抽题(0) or 取消重点(0)
BUTTON_RIGHT_COMMAND = (643 + 42, 476 + 15)  # 交卷(7) or 结束(7)


class Failure(Exception):
    pass


def skip(reason):
    print(f"SKIPPED: {reason}")
    sys.exit(SKIPPED)


def run(command, **kwargs):
    result = subprocess.run(command, capture_output=True, text=True, **kwargs)
    if result.returncode != 0:
        raise Failure(f"{' '.join(command)} exited {result.returncode}:\n{result.stdout}{result.stderr}")
    return result.stdout


def close_window(display, window):
    """Asks a window to close as a window manager would: a WM_DELETE_WINDOW message, spoken in the X protocol."""
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as x:
        x.settimeout(10)
        x.connect(f"/tmp/.X11-unix/X{display}")

        def read(count):
            data = b""
            while len(data) < count:
                chunk = x.recv(count - len(data))
                if not chunk:
                    raise Failure("the X server closed the connection")
                data += chunk
            return data

        x.sendall(struct.pack("<BxHHHH2x", ord("l"), 11, 0, 0, 0))
        head = read(8)
        if head[0] != 1:
            raise Failure("the X server refused the connection")
        read(struct.unpack_from("<H", head, 6)[0] * 4)

        def atom(name):
            raw = name.encode()
            padded = raw + b"\0" * (-len(raw) % 4)
            x.sendall(struct.pack("<BBHH2x", 16, 0, 2 + len(padded) // 4, len(raw)) + padded)
            reply = read(32)
            if reply[0] != 1:
                raise Failure(f"InternAtom {name} failed")
            return struct.unpack_from("<I", reply, 8)[0]

        protocols, delete = atom("WM_PROTOCOLS"), atom("WM_DELETE_WINDOW")
        event = struct.pack("<BBHII5I", 33, 32, 0, window, protocols, delete, 0, 0, 0, 0)
        x.sendall(struct.pack("<BBHII", 25, 0, 11, window, 0) + event)
        # A round trip: once it is answered, the message has been delivered.
        x.sendall(struct.pack("<BxH", 43, 1))
        if read(32)[0] != 1:
            raise Failure("the close message was refused")


class Session:
    """A temporary prefix and home, an X server of their own, and every process started here ended on exit."""

    def __init__(self, cmake, build):
        self.cmake, self.build = cmake, build
        self.nobody = pwd.getpwnam("nobody")
        self.root = tempfile.mkdtemp(prefix="zuvo-installed-")
        os.chmod(self.root, 0o755)
        self.prefix = os.path.join(self.root, "prefix")
        self.home = os.path.join(self.root, "home")
        self.runtime = os.path.join(self.root, "runtime")
        for folder in (self.home, self.runtime):
            os.mkdir(folder, 0o700)
            os.chown(folder, self.nobody.pw_uid, self.nobody.pw_gid)
        self.suppressions = os.path.join(self.root, "lsan-suppressions")
        with open(self.suppressions, "w") as suppressions:
            suppressions.write("leak:libdbus-1.so\n")
        os.chmod(self.suppressions, 0o644)
        self.xvfb = None
        self.display = None
        self.program = None
        self.pid = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop_program()
        if self.xvfb:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        for folder, _, _ in os.walk(self.root):
            os.chmod(folder, 0o755)
        shutil.rmtree(self.root, ignore_errors=True)

    # --- installing --------------------------------------------------------------------------------------------
    def install(self):
        run([self.cmake, "--install", self.build, "--prefix", self.prefix])
        expected = ["bin/zuvo", "bin/zuvo-bank", "share/zuvo/Word.mdb", f"share/applications/{APP_ID}.desktop",
                    f"share/metainfo/{APP_ID}.metainfo.xml"]
        expected += [f"share/icons/hicolor/{s}x{s}/apps/{APP_ID}.png" for s in (16, 24, 32, 48, 64, 128, 256)]
        missing = [path for path in expected if not os.path.isfile(os.path.join(self.prefix, path))]
        if missing:
            raise Failure(f"not installed: {', '.join(missing)}")
        run(["desktop-file-validate", os.path.join(self.prefix, "share/applications", f"{APP_ID}.desktop")])
        run(["appstreamcli", "validate", "--no-net",
             os.path.join(self.prefix, "share/metainfo", f"{APP_ID}.metainfo.xml")])
        # As a system-wide installation is to an ordinary user: nothing under the prefix can be changed.
        for folder, folders, files in os.walk(self.prefix):
            for name in files:
                path = os.path.join(folder, name)
                os.chmod(path, os.stat(path).st_mode & 0o555)
            os.chmod(folder, 0o555)

    # --- the X server and the program ----------------------------------------------------------------------------
    def start_x(self):
        reader, writer = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(writer), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(writer,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(writer)
        number = b""
        deadline = time.monotonic() + WAIT_SECONDS
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([reader], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(reader, 16) if ready else b""
            if not chunk:
                raise Failure("Xvfb did not report a display")
            number += chunk
        os.close(reader)
        self.display = int(number)

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                                env={"DISPLAY": f":{self.display}", "PATH": os.environ.get("PATH", "/usr/bin:/bin")})
        if check and result.returncode != 0:
            raise Failure(f"xdotool {' '.join(map(str, args))}: {result.stderr}")
        return result

    def start_program(self):
        environment = {
            "HOME": self.home, "PATH": "/usr/bin:/bin", "DISPLAY": f":{self.display}", "QT_QPA_PLATFORM": "xcb",
            "LC_ALL": "C.UTF-8", "XDG_RUNTIME_DIR": self.runtime,
            # A closed port on this machine: the ad worker gives up at once and nothing leaves it.
            "ZUVO_AD_HOSTS": "http://127.0.0.1:9,http://127.0.0.1:9",
        }
        # A sanitizer build keeps its options; leaks in the desktop's own libraries are not the program's.
        for name in ("ASAN_OPTIONS", "UBSAN_OPTIONS"):
            if name in os.environ:
                environment[name] = os.environ[name]
        environment["LSAN_OPTIONS"] = f"suppressions={self.suppressions}"
        command = ["runuser", "-u", "nobody", "--", "env", "-i"]
        command += [f"{key}={value}" for key, value in environment.items()]
        command += [os.path.join(self.prefix, "bin/zuvo")]
        self.output = tempfile.TemporaryFile()
        self.pid = None
        self.program = subprocess.Popen(command, stdout=self.output, stderr=subprocess.STDOUT,
                                        start_new_session=True)
        self.main = self.wait_for("the main window", lambda: self.windows(f"^{TITLE}$"))[0]
        self.pid = int(self.xdotool("getwindowpid", self.main).stdout)

    def stop_program(self):
        if self.program and self.program.poll() is None:
            # runuser's group, and the program itself should runuser have given it a group of its own.
            os.killpg(self.program.pid, signal.SIGKILL)
            if self.pid:
                try:
                    os.kill(self.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            self.program.wait()
        self.program = None

    def close_program(self):
        close_window(self.display, int(self.main))
        try:
            code = self.program.wait(WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end after its window was closed")
        self.program = None
        if code != 0:
            raise Failure(f"the program exited {code}: {self.program_output()}")

    def program_output(self):
        self.output.seek(0)
        return self.output.read().decode(errors="replace")

    def windows(self, name=None):
        """The program's windows on the screen now; the main window first when name matches it."""
        args = ["search", "--onlyvisible"] + (["--name", name] if name else ["--pid", self.pid])
        return self.xdotool(*args, check=False).stdout.split()

    def others(self):
        return [w for w in self.windows() if w != self.main]

    def wait_for(self, what, condition):
        deadline = time.monotonic() + WAIT_SECONDS
        while True:
            found = condition()
            if found:
                return found
            if self.program.poll() is not None:
                raise Failure(f"the program ended while waiting for {what}: {self.program_output()}")
            if time.monotonic() > deadline:
                raise Failure(f"timed out waiting for {what}")
            time.sleep(0.05)

    def click(self, window, place):
        self.xdotool("mousemove", "--window", window, *place)
        self.xdotool("click", "1")

    def only_window(self, what):
        """The one window besides the main window, once it is there."""
        found = self.wait_for(what, lambda: self.others())
        if len(found) != 1:
            raise Failure(f"expected one window for {what}, found {len(found)}")
        return found[0]

    def accept_box(self, what):
        box = self.only_window(what)
        self.xdotool("windowfocus", box)
        self.xdotool("key", "Return")
        self.wait_for(f"{what} to close", lambda: box not in self.windows())

    def choose_mode(self, item):
        self.xdotool("windowfocus", self.main)
        self.click(self.main, item)
        dialog = self.only_window("the licence class dialog")
        self.click(dialog, DIALOG_OK)
        return dialog

    # --- the bank ----------------------------------------------------------------------------------------------
    def key_points(self, bank):
        dump = run(["runuser", "-u", "nobody", "--", os.path.join(self.prefix, "bin/zuvo-bank"), "dump", bank])
        return {line.split("\t")[0] for line in dump.splitlines() if line.split("\t")[4] == "1"}


def sit_exam(session):
    """Answers A (or 对) to eight questions of a paper and hands it in."""
    session.choose_mode(EXAM_ITEM)
    session.wait_for("the exam to start", lambda: not session.others())
    for _ in range(8):
        session.click(session.main, BUTTON_A)
        # Onwards at once: every answer lands on a question of its own, whatever the pause after an answer does.
        session.click(session.main, BUTTON_NEXT)
    session.click(session.main, BUTTON_RIGHT_COMMAND)
    session.accept_box("the question whether to hand in")
    session.accept_box("the score")


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: installed_program_test.py CMAKE BUILD_DIR")
    if os.geteuid() != 0:
        skip("needs root, to run the installed program as the ordinary user nobody (runuser)")
    missing = [tool for tool in ("Xvfb", "xdotool", "runuser", "desktop-file-validate", "appstreamcli")
               if not shutil.which(tool)]
    if missing:
        skip(f"missing {', '.join(missing)} (scripts/deps.sh installs them)")
    try:
        pwd.getpwnam("nobody")
    except KeyError:
        skip("no user nobody")

    with Session(sys.argv[1], sys.argv[2]) as session:
        session.install()
        bundled = os.path.join(session.prefix, "share/zuvo/Word.mdb")
        copy = os.path.join(session.home, ".local/share/zuvo/Word.mdb")
        before = session.key_points(bundled)
        session.start_x()

        session.start_program()
        if not os.path.isfile(copy):
            raise Failure(f"no copy of the bank at {copy}")
        # A paper answered all right leaves nothing to find: another paper is drawn until one is not.
        for _ in range(5):
            sit_exam(session)
            marked = session.key_points(copy) - before
            if marked:
                break
        if not marked:
            raise Failure("five papers handed in, no key point in the learner's bank")
        session.close_program()
        if session.key_points(bundled) != before:
            raise Failure("the installed bank changed")

        session.start_program()
        if session.key_points(copy) - before != marked:
            raise Failure("the key points did not survive the restart")
        dialog = session.choose_mode(KEY_POINT_ITEM)
        # Without key points a notice would come up over the dialog; with them the dialog simply goes.
        session.wait_for("key-point practice", lambda: not session.others() or session.others() != [dialog])
        if session.others():
            raise Failure("key-point practice did not start: a notice came up instead")
        session.click(session.main, BUTTON_LEFT_COMMAND)
        session.accept_box("the notice that the key point is cancelled")
        if len(session.key_points(copy) - before) != len(marked) - 1:
            raise Failure("cancelling the shown key point did not reach the learner's bank")
        session.close_program()
        print(f"{len(marked)} key points made in a mock exam survived a restart in {copy}")


if __name__ == "__main__":
    try:
        main()
    except Failure as failure:
        print(f"FAILED: {failure}")
        sys.exit(1)
