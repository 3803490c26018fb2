#!/usr/bin/env python3
"""Plant each fault of tools/faults.py alone, build, run the whole suite, and report
which faults the suite catches.  Usage: tools/plant-faults.py [BUILD_DIR] [--only 1,5]

Run it in a checkout of its own: each fault is written into src/ and taken out again."""
import os
import re
import subprocess
import sys
import time

top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(top, "tools"))
import importlib  # noqa: E402

# FAULT_LIST names another list (a module on PYTHONPATH) to plant instead.
FAULTS = importlib.import_module(os.environ.get("FAULT_LIST", "faults")).FAULTS

args = [a for a in sys.argv[1:] if not a.startswith("--only")]
build = os.path.abspath(args[0] if args else os.path.join(top, "build"))
only = None
for i, a in enumerate(sys.argv):
    if a == "--only":
        only = {int(n) for n in sys.argv[i + 1].split(",")}
env = dict(os.environ, QT_QPA_PLATFORM="offscreen")


def run(cmd, **kw):
    return subprocess.run(cmd, cwd=kw.pop("cwd", top), env=env, stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, **kw)


caught = 0
tried = 0
for number, (path, old, new, what) in enumerate(FAULTS, 1):
    if only and number not in only:
        continue
    file = os.path.join(top, path)
    original = open(file, encoding="utf-8").read()
    if original.count(old) != 1:
        print(f"{number:2} SKIP  {what}: text not found once in {path}", flush=True)
        continue
    open(file, "w", encoding="utf-8").write(original.replace(old, new))
    started = time.time()
    try:
        built = run(["cmake", "--build", build, "-j", "2"])
        if built.returncode != 0:
            print(f"{number:2} BUILD {what}: does not compile", flush=True)
            continue
        # The tests named after the changed module run first: most faults show there,
        # and the whole suite runs only when they pass.
        stem = re.sub(r"(_[a-z]+|page|form|options)$", "", os.path.basename(path).split(".")[0])
        ctest = ["ctest", "-j", "2", "--timeout", "180", "--stop-on-failure"]
        tested = run(ctest + ["-R", stem], cwd=build)
        if tested.returncode == 0 or "No tests were found" in tested.stdout:
            tested = run(ctest, cwd=build)
    finally:
        open(file, "w", encoding="utf-8").write(original)
    tried += 1
    failed = re.findall(r"Test +#\d+: (\S+) \.*\s*\*\*\*", tested.stdout)
    hit = tested.returncode != 0
    caught += hit
    mark = "CAUGHT" if hit else "MISSED"
    print(f"{number:2} {mark} {what} [{', '.join(failed[:3])}] {time.time() - started:.0f} s", flush=True)
run(["cmake", "--build", build, "-j", "2"])
print(f"caught {caught} of {tried}")
