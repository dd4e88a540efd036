#!/usr/bin/env python3
"""Seeded-fault check: how many plausible faults does the test suite catch?

Copies a committed tree (HEAD by default) to a scratch directory, then for
each fault of tools/seed-faults.list: applies it to the copy, rebuilds the
chosen build trees incrementally, runs their tests (ctest -j2,
--stop-on-failure) and restores the file. A fault counts as caught by the
first tree whose tests fail; trees are tried in the order given, so the
reference tree comes first and the sanitizer tree sees only what it missed.
Not part of the test suite: a full run takes a long while.

usage: tools/seed-faults.py [--rev REV] [--trees ref,san] [--only ID,...]
                            [--exclude REGEX] [--scratch DIR] [--list FILE] [--no-check]
                            [--baseline FILE]

The scratch directory (default /tmp/zedodava-seed) is kept between runs so
that later runs rebuild only what changed.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TREES = {
    "ref": ["-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DZEDODAVA_BENCH=OFF"],
    "san": ["-DCMAKE_BUILD_TYPE=Debug", "-DZEDODAVA_SANITIZE=ON"],
}


def read_faults(path):
    """Blocks of '== ID | FILE | description', <<<< original ==== new >>>>."""
    faults, cur, part = [], None, None
    with open(path) as f:
        for line in f.read().split("\n"):
            if part is None and line.startswith("== "):
                fid, file, desc = [x.strip() for x in line[3:].split("|", 2)]
                cur = {"id": fid, "file": file, "desc": desc, "old": [], "new": []}
                faults.append(cur)
            elif line == "<<<<" and cur is not None:
                part = "old"
            elif line == "====" and part == "old":
                part = "new"
            elif line == ">>>>" and part == "new":
                part = None
            elif part:
                cur[part].append(line)
    for f in faults:
        f["old"], f["new"] = "\n".join(f["old"]), "\n".join(f["new"])
    return faults


def sh(cmd, log, **kw):
    with open(log, "a") as out:
        out.write("$ " + " ".join(cmd) + "\n")
        out.flush()
        return subprocess.run(cmd, stdout=out, stderr=subprocess.STDOUT, **kw).returncode


def sync_tree(rev, src):
    """Makes src hold exactly the files of rev, touching only files that differ
    (so that the build trees stay incremental)."""
    with tempfile.TemporaryDirectory() as tmp:
        archive = subprocess.run(["git", "-C", TOP, "archive", rev], stdout=subprocess.PIPE,
                                 check=True).stdout
        subprocess.run(["tar", "-x", "-C", tmp], input=archive, check=True)
        wanted = set()
        for root, _, files in os.walk(tmp):
            for name in files:
                rel = os.path.relpath(os.path.join(root, name), tmp)
                wanted.add(rel)
                dst = os.path.join(src, rel)
                with open(os.path.join(root, name), "rb") as f:
                    data = f.read()
                if os.path.exists(dst):
                    with open(dst, "rb") as f:
                        if f.read() == data:
                            continue
                os.makedirs(os.path.dirname(dst), exist_ok=True)
                shutil.copy2(os.path.join(root, name), dst)
        for root, _, files in os.walk(src):
            for name in files:
                path = os.path.join(root, name)
                if os.path.relpath(path, src) not in wanted:
                    os.remove(path)


def run_tests(build, exclude, log):
    """Returns (passed, first failing test)."""
    # Without recorded costs ctest runs in declaration order: the quick
    # in-process tests first, so that a caught fault stops early.
    cost = os.path.join(build, "Testing", "Temporary", "CTestCostData.txt")
    if os.path.exists(cost):
        os.remove(cost)
    cmd = ["ctest", "--test-dir", build, "-j2", "--stop-on-failure", "--output-on-failure"]
    if exclude:
        cmd += ["-E", exclude]
    proc = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    with open(log, "a") as out:
        out.write(proc.stdout)
    failed = re.findall(r"#\d+: (\S+) \.*\s*\*+(?:Failed|Timeout|Exception)|"
                        r"#\d+: (\S+) \.*\s*(?:Subprocess|Child|Not Run|Exit code)", proc.stdout)
    name = next((a or b for a, b in failed), "?")
    return proc.returncode == 0, name


def baseline_line(f, kind, result, rev):
    """fault, result, the tree and first failing test, commit, what it does."""
    by = result[len("caught ("):-1] if kind == "caught" else "-"
    return f"{f['id']:26} {kind:14} {by:66} {rev:8} {f['desc']}"


def write_baseline(path, faults, results):
    """Keeps the file's comment lines, replaces the lines of the faults just
    run, drops those of faults no longer listed, in the list's order."""
    head, old = [], {}
    if os.path.exists(path):
        for line in open(path).read().splitlines():
            if line.startswith("#") or not line.strip():
                if not old:  # the header: what comes before the first fault's line
                    head.append(line)
            else:
                old[line.split()[0]] = line
    old.update(results)
    with open(path, "w") as out:
        out.write("\n".join(head + [old[f["id"]] for f in faults if f["id"] in old]) + "\n")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--rev", default="HEAD", help="committed tree to test (default HEAD)")
    ap.add_argument("--trees", default="ref,san", help="build trees to try, in order")
    ap.add_argument("--only", default="", help="comma-separated fault ids")
    ap.add_argument("--exclude", default="", help="ctest -E regex of tests to leave out")
    ap.add_argument("--scratch", default=os.path.join(tempfile.gettempdir(), "zedodava-seed"))
    ap.add_argument("--list", default=os.path.join(TOP, "tools", "seed-faults.list"))
    ap.add_argument("--no-check", action="store_true",
                    help="skip the run of the unchanged tree (which must pass)")
    ap.add_argument("--baseline", help="record each fault's result in FILE "
                    "(tools/seed-faults.baseline): one line per fault, replacing its last one")
    args = ap.parse_args()

    faults = read_faults(args.list)
    if args.only:
        ids = set(args.only.split(","))
        faults = [f for f in faults if f["id"] in ids]
    trees = args.trees.split(",")
    src = os.path.join(args.scratch, "src")
    log = os.path.join(args.scratch, "log.txt")
    os.makedirs(src, exist_ok=True)
    open(log, "w").close()
    rev = subprocess.run(["git", "-C", TOP, "rev-parse", "--short", args.rev],
                         stdout=subprocess.PIPE, text=True, check=True).stdout.strip()
    print(f"seeded faults: {len(faults)} from {os.path.relpath(args.list, TOP)}, "
          f"tests of {rev}, trees {args.trees}, log {log}", flush=True)

    sync_tree(args.rev, src)
    for t in trees:
        build = os.path.join(args.scratch, "build-" + t)
        if sh(["cmake", "-S", src, "-B", build] + TREES[t], log) or \
                sh(["cmake", "--build", build, "-j2"], log):
            sys.exit(f"the unchanged tree does not build ({t}); see {log}")
        if not args.no_check:
            ok, name = run_tests(build, args.exclude, log)
            if not ok:
                sys.exit(f"the unchanged tree fails its tests ({t}: {name}); see {log}")

    counts = {"caught": 0, "missed": 0, "does not apply": 0, "does not build": 0}
    results = {}
    print(f"{'fault':26} {'result':44} what it does")
    for f in faults:
        start = time.time()
        path = os.path.join(src, f["file"])
        text = open(path).read() if os.path.exists(path) else ""
        if text.count(f["old"]) != 1 or not f["old"]:
            result, kind = "does not apply", "does not apply"
        else:
            with open(path, "w") as out:
                out.write(text.replace(f["old"], f["new"]))
            result, kind = "missed", "missed"
            try:
                for t in trees:
                    build = os.path.join(args.scratch, "build-" + t)
                    with open(log, "a") as out:
                        out.write(f"\n##### {f['id']} on {t}\n")
                    if sh(["cmake", "--build", build, "-j2"], log):
                        result, kind = "does not build", "does not build"
                        break
                    ok, name = run_tests(build, args.exclude, log)
                    if not ok:
                        result, kind = f"caught ({t}: {name})", "caught"
                        break
            finally:
                with open(path, "w") as out:
                    out.write(text)
        counts[kind] += 1
        results[f["id"]] = baseline_line(f, kind, result, rev)
        print(f"{f['id']:26} {result:44} {f['desc']} [{time.time() - start:.0f} s]", flush=True)
    # Leave the trees built from the unchanged sources.
    for t in trees:
        sh(["cmake", "--build", os.path.join(args.scratch, "build-" + t), "-j2"], log)
    print(f"summary: {len(faults)} faults, {counts['caught']} caught, {counts['missed']} missed, "
          f"{counts['does not apply']} do not apply, {counts['does not build']} do not build")
    if args.baseline:
        write_baseline(args.baseline, read_faults(args.list), results)


if __name__ == "__main__":
    main()
