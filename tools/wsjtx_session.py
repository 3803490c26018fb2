#!/usr/bin/env python3
"""Runs the real WSJT-X under a private Xvfb and logs QSOs in it as an operator would.

WSJT-X gets a home and configuration folder of its own and an instance name (--rig-name),
so that nothing of the machine's own WSJT-X set-up is read or changed. Its "Log QSO" button
and the confirmation window are driven with xdotool key presses and clicks; WSJT-X then
announces the QSO by UDP to 127.0.0.1:2237.

    tools/wsjtx_session.py record DIR     records the datagrams of one logged QSO into DIR
"""
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

INSTANCE = "dalutest"
PORT = 2237


class WsjtxError(RuntimeError):
    pass


def _wait(what, test, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = test()
        if value:
            return value
        time.sleep(0.1)
    raise WsjtxError(f"timed out waiting for {what}")


class Wsjtx:
    """WSJT-X in its own Xvfb; use as a context manager."""

    def __init__(self, my_call="DL1XYZ", my_grid="JO31"):
        for tool in ("wsjtx", "Xvfb", "xdotool"):
            if not shutil.which(tool):
                raise WsjtxError(f"{tool} is not installed (make e2e installs it)")
        self.root = tempfile.mkdtemp(prefix="dalu-wsjtx-")
        config = os.path.join(self.root, "config")
        os.makedirs(config)
        with open(os.path.join(config, f"WSJT-X - {INSTANCE}.ini"), "w") as ini:
            ini.write(f"[Configuration]\nMyCall={my_call}\nMyGrid={my_grid}\n")
        self.xvfb = self.wsjtx = None
        self.env = dict(os.environ, HOME=self.root, XDG_CONFIG_HOME=config,
                        XDG_DATA_HOME=os.path.join(self.root, "data"),
                        XDG_RUNTIME_DIR=self.root)

    def __enter__(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                      "1280x1024x24", "-nolisten", "tcp"], pass_fds=(write,),
                                     stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            display = f.readline().strip()
        if not display:
            raise WsjtxError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + display
        self.log = open(os.path.join(self.root, "wsjtx.log"), "w")
        # A session of its own, so that its decoder process (jt9) ends with it.
        self.wsjtx = subprocess.Popen(["wsjtx", f"--rig-name={INSTANCE}"], env=self.env,
                                      stdout=self.log, stderr=subprocess.STDOUT,
                                      start_new_session=True)
        try:
            self.main = _wait("the WSJT-X window", lambda: self._window(r"v[0-9.]+ +by K1JT"), 60)
        except WsjtxError:
            self.__exit__()
            raise WsjtxError("WSJT-X did not start: " + self._log_tail())
        # The splash window over the main window goes with a click.
        time.sleep(1)
        self.xdo("mousemove", "640", "500", "click", "1")
        return self

    def quit(self):
        """Ends WSJT-X through its File menu (Ctrl+Q), so that it says goodbye (Close)."""
        self.xdo("windowfocus", "--sync", self.main, "key", "ctrl+q")
        try:
            self.wsjtx.wait(10)
        except subprocess.TimeoutExpired:
            pass

    def __exit__(self, *exc):
        if self.wsjtx:
            try:
                os.killpg(self.wsjtx.pid, 15)
            except ProcessLookupError:
                pass
            self.wsjtx.wait()
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()
        shutil.rmtree(self.root, ignore_errors=True)

    def _log_tail(self):
        self.log.flush()
        with open(os.path.join(self.root, "wsjtx.log")) as f:
            return f.read()[-2000:]

    def xdo(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True,
                              stdout=subprocess.PIPE, text=True).stdout

    def _window(self, pattern):
        if self.wsjtx.poll() is not None:
            raise WsjtxError("WSJT-X ended: " + self._log_tail())
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern],
                               env=self.env, stdout=subprocess.PIPE, text=True).stdout.split()
        return found[0] if found else None

    def _origin(self, window):
        geometry = self.xdo("getwindowgeometry", "--shell", window)
        values = dict(line.split("=") for line in geometry.split())
        return int(values["X"]), int(values["Y"])

    def _fill(self, origin, x, y, text):
        # Three clicks select what the field holds, so that typing replaces it.
        self.xdo("mousemove", str(origin[0] + x), str(origin[1] + y), "click", "--repeat", "3", "1")
        if text:
            self.xdo("type", "--delay", "30", "--", text)

    def log_qso(self, call, grid, sent, received, name="", power="", comments=""):
        """Types call and grid into the main window, clicks "Log QSO", fills the confirmation
        window and clicks its OK."""
        main = self._origin(self.main)
        self._fill(main, 182, 506, call)
        self._fill(main, 272, 506, grid)
        self.xdo("mousemove", str(main[0] + 134), str(main[1] + 395), "click", "1")
        dialog = _wait("the Log QSO window", lambda: self._window("Log QSO$"), 10)
        origin = self._origin(dialog)
        for x, y, text in ((139, 123, sent), (202, 123, received), (366, 123, name),
                           (217, 154, power), (223, 186, comments)):
            self._fill(origin, x, y, text)
        self.xdo("mousemove", str(origin[0] + 304), str(origin[1] + 309), "click", "1")
        _wait("the Log QSO window to close", lambda: not self._window("Log QSO$"), 10)


def record(folder, seconds=4):
    """Logs one QSO and writes every datagram WSJT-X sent meanwhile into folder, one file
    each, named by arrival and message type."""
    os.makedirs(folder, exist_ok=True)
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(("127.0.0.1", PORT))
    sock.settimeout(0.2)
    received = []

    def drain(until):
        while time.monotonic() < until:
            try:
                received.append(sock.recvfrom(65536)[0])
            except socket.timeout:
                pass

    with Wsjtx() as wsjtx:
        drain(time.monotonic() + seconds)
        wsjtx.log_qso("ZS6ABC", "KG33", "-15", "-09", "Hans", "50W", "erstes FT8 QSO")
        drain(time.monotonic() + seconds)
        wsjtx.quit()
    drain(time.monotonic() + 1)
    for n, datagram in enumerate(received):
        kind = int.from_bytes(datagram[8:12], "big") if len(datagram) >= 12 else -1
        with open(os.path.join(folder, f"{n:03d}-type{kind}.bin"), "wb") as f:
            f.write(datagram)
    print(f"{len(received)} datagrams in {folder}")


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] != "record":
        sys.exit(__doc__)
    try:
        record(sys.argv[2])
    except WsjtxError as e:
        sys.exit(f"wsjtx_session: {e}")
