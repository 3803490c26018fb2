#!/usr/bin/env python3
"""Counts that tell whether the window layer keeps its shape: includers of the main window's
header, include cycles between modules, public widget pointers in window headers, places that
change the two log lists' models, and writes to the open log that bypass the station."""
import os
import re
import sys

ROOT = os.path.join(sys.argv[1] if len(sys.argv) > 1 else
                    os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."), "src")
UI_FOLDERS = ["shell", "widgets", "station", "storage", "settings", "entry", "rig", "callbook",
              "browse", "evaluations", "qsl", "converter/wizard"]
INCLUDE = re.compile(r'^#include "([^"]+)"', re.M)
# Pointer members whose type is no widget.
NOT_WIDGETS = re.compile(r"^(QObject|QTimer|QAction|QActionGroup|QTranslator|QThread|QLibrary|"
                         r"QFileSystemWatcher|QSettings|QNetwork\w*|\w*Model|\w*Lists?|Station|"
                         r"Navigator|RigPoller|TCallBook|TLogFile|TMemIniFile|TRigControl|"
                         r"TCallCheck|LanguageLoader|QsoLists|StationTexts|TQslCardButtons)$")


def sources():
    for folder in UI_FOLDERS:
        path = os.path.join(ROOT, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if name.endswith((".h", ".cpp")):
                yield folder, name, open(os.path.join(path, name), encoding="utf-8").read()


def module_of(name):
    base = name.rsplit(".", 1)[0]
    return base.split("_", 1)[0]  # mainform_menus.cpp belongs to mainform


def cycles(graph):
    index, low, stack, on, out, counter = {}, {}, [], set(), [], [0]

    def visit(v):
        index[v] = low[v] = counter[0]
        counter[0] += 1
        stack.append(v)
        on.add(v)
        for w in graph.get(v, ()):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            comp = []
            while True:
                w = stack.pop()
                on.discard(w)
                comp.append(w)
                if w == v:
                    break
            if len(comp) > 1:
                out.append(sorted(comp))

    sys.setrecursionlimit(10000)
    for v in list(graph):
        if v not in index:
            visit(v)
    return out


def public_widget_pointers(text):
    count, access, depth = 0, None, 0
    for line in text.splitlines():
        stripped = line.strip()
        if re.match(r"^(class|struct) \w+[^;]*\{?$", stripped) and depth == 0:
            access = "public" if stripped.startswith("struct") else "private"
        m = re.match(r"^(public|private|protected)( slots)?:", stripped)
        if m:
            access = m.group(1)
        depth += line.count("{") - line.count("}")
        if access != "public" or depth != 1:
            continue
        m = re.match(r"^(?:std::array<)?(?:class )?(\w+)\s*\*(?:,\s*\w+>)?\s*\w+\s*(=[^;]*)?;", stripped)
        if m and not NOT_WIDGETS.match(m.group(1)) and (m.group(1)[0] in "QT"):
            count += 1
    return count


def main():
    files = list(sources())
    includers = [f"{d}/{n}" for d, n, t in files
                 if '#include "mainform.h"' in t and not n.startswith("mainform")] + \
                [f"{d}/{n}" for d, n, t in files
                 if '#include "mainform.h"' in t and n.startswith("mainform") and n.endswith(".cpp")]
    headers = {n: d for d, n, _ in files if n.endswith(".h")}
    graph = {}
    for d, n, t in files:
        mod = f"{d}/{module_of(n)}"
        for inc in INCLUDE.findall(t):
            inc = os.path.basename(inc)
            if inc in headers:
                target = f"{headers[inc]}/{module_of(inc)}"
                if target != mod:
                    graph.setdefault(mod, set()).add(target)
    comps = cycles(graph)
    widgets = {f"{d}/{n}": public_widget_pointers(t) for d, n, t in files if n.endswith(".h")}
    model_writes = [f"{d}/{n}" for d, n, t in files
                    if re.search(r"(upper|lower)\(\)->(setRows|appendRows|replaceRows|clear)|"
                                 r"liste2?Model->(setRows|appendRows|replaceRows|clear|putRow|replaceRow)", t)]
    model_writes += [f"{d}/{n}" for d, n, t in files if n == "qsolists.cpp"]
    bypass = [f"{d}/{n}" for d, n, t in files if d != "station" and
              re.search(r"(->|\.)(AppendNext|AppendRecord|ReplaceRecord|NewFile|Repair)\(", t)]
    print(f"includers of mainform.h under src/: {len(includers)} {includers}")
    print(f"module include cycles: {len(comps)} {comps}")
    print(f"public widget pointers in window headers: {sum(widgets.values())}")
    for name, n in sorted(widgets.items(), key=lambda x: -x[1]):
        if n:
            print(f"  {name}: {n}")
    print(f"files that change the log lists' models: {len(set(model_writes))} {sorted(set(model_writes))}")
    print(f"writers of the open log outside the station: {len(bypass)} {bypass}")


if __name__ == "__main__":
    main()
