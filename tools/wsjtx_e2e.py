#!/usr/bin/env python3
"""End to end with the real WSJT-X: two QSOs logged in WSJT-X land in Dalu's log.

Dalu runs with a program directory of its own (DALU_HOME) holding a log with one QSO and
listening for WSJT-X; WSJT-X runs under Xvfb with a home of its own. Two QSOs are logged in
WSJT-X by key presses and clicks; the log must then hold exactly the old line and the two
new ones, byte for byte, with date and time as WSJT-X wrote them into its own ADIF log.
Fails (never passes) when WSJT-X cannot be started.

    tools/wsjtx_e2e.py BUILD_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from wsjtx_session import Wsjtx, WsjtxError  # noqa: E402

HEADER = b"#;Date;UTC;Band;Mode;Call;RST TX;RST RX;DOK;Name;QTH;Locator;TX Pwr;Comments;QSL out;QSL in\r\n"
OLD = b"1;05.06.2024;17:31:00;40m;CW;QX1ABC;599;579;;Erika;Kiel;JO54AH;10W;;;\r\n"
QSOS = [  # call, grid, sent, received, name, power, comments
    ("ZS6ABC", "KG33", "-15", "-09", "Hans", "50W", "erstes FT8 QSO"),
    ("JA1XYZ", "PM95", "+02", "-21", "Taro", "", ""),
]


def fail(text):
    sys.exit(f"e2e: FAILED: {text}")


def wait_for(what, test, timeout):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if test():
            return
        time.sleep(0.2)
    fail(f"timed out waiting for {what}")


def adif_times(adi):
    """QSO_DATE and TIME_ON of every record in WSJT-X's own log, in order."""
    with open(adi) as f:
        text = f.read()
    result = []
    for record in re.split(r"<eor>", text, flags=re.I)[:-1]:
        def value(tag):
            m = re.search(rf"<{tag}:(\d+)>", record, flags=re.I)
            return record[m.end():m.end() + int(m.group(1))] if m else ""
        result.append((value("qso_date"), value("time_on")))
    return result


def expected_line(number, qso, date, time_on):
    call, grid, sent, received, name, power, comments = qso
    fields = [str(number), f"{date[6:8]}.{date[4:6]}.{date[0:4]}",
              f"{time_on[0:2]}:{time_on[2:4]}:{time_on[4:6]}", "20m", "FT8", call, sent,
              received, "", name, "", grid, power, comments, "", ""]
    return ";".join(fields).encode("cp1252") + b"\r\n"


def main(build):
    dalu = os.path.join(os.path.abspath(build), "bin", "dalu")
    if not os.access(dalu, os.X_OK):
        fail(f"{dalu} is not built")
    home = tempfile.mkdtemp(prefix="dalu-e2e-")
    try:
        log = os.path.join(home, "test.log")
        with open(log, "wb") as f:
            f.write(HEADER + OLD)
        with open(os.path.join(home, "Dalu.ini"), "wb") as f:
            f.write(b"[Allgemein]\r\nLastLogFileName=test.log\r\n"
                    b"[WSJT-X]\r\nEnabled=1\r\nAddress=127.0.0.1\r\nPort=2237\r\n")
        env = dict(os.environ, DALU_HOME=home, QT_QPA_PLATFORM="offscreen")
        with open(os.path.join(home, "dalu.out"), "w") as out:
            app = subprocess.Popen([dalu], env=env, stdout=out, stderr=subprocess.STDOUT)
        try:
            try:
                with Wsjtx() as wsjtx:
                    if app.poll() is not None:
                        fail("dalu ended at its start")
                    for qso in QSOS:
                        wsjtx.log_qso(*qso)
                    adi = _wsjtx_log(wsjtx)
                    wait_for("WSJT-X's own log of both QSOs", lambda: len(adif_times(adi)) >= 2, 10)
                    times = adif_times(adi)
            except WsjtxError as e:
                fail(f"WSJT-X could not be run: {e}")
            expected = HEADER + OLD + b"".join(
                expected_line(n + 2, qso, *times[n]) for n, qso in enumerate(QSOS))
            wait_for("both QSOs in Dalu's log", lambda: _read(log).count(b"\r\n") >= 4, 10)
            got = _read(log)
            if got != expected:
                fail(f"the log is\n{got!r}\nexpected\n{expected!r}")
            others = sorted(n for n in os.listdir(home) if n.endswith(".log"))
            if others != ["test.log"]:
                fail(f"other log files appeared: {others}")
        finally:
            app.terminate()
            app.wait(10)
        print("e2e: two QSOs logged in WSJT-X are in Dalu's log, byte for byte")
    finally:
        shutil.rmtree(home, ignore_errors=True)


def _read(path):
    with open(path, "rb") as f:
        return f.read()


def _wsjtx_log(wsjtx):
    return os.path.join(wsjtx.env["XDG_DATA_HOME"], "WSJT-X - dalutest", "wsjtx_log.adi")


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
