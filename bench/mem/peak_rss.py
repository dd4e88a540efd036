"""Runs commands side by side and prints, for each, its exit status and the
peak resident set size the kernel recorded for it.

usage: peak_rss.py TIMEOUT LABEL=COMMAND... (each COMMAND split on spaces)
prints: LABEL STATUS PEAK_KIB
"""
import os
import subprocess
import sys
import time


def main():
    timeout = float(sys.argv[1])
    procs = {}
    for entry in sys.argv[2:]:
        label, command = entry.split("=", 1)
        p = subprocess.Popen(command.split(), stdin=subprocess.DEVNULL,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        procs[p.pid] = (label, p)
    deadline = time.monotonic() + timeout
    results = {}
    while procs:
        pid, status, usage = os.wait4(-1, os.WNOHANG)
        if pid == 0:
            if time.monotonic() > deadline:
                for label, p in procs.values():
                    p.kill()
                deadline = float("inf")
            time.sleep(0.05)
            continue
        if pid not in procs:
            continue
        label, p = procs.pop(pid)
        p.returncode = os.waitstatus_to_exitcode(status)
        results[label] = (p.returncode, usage.ru_maxrss)  # KiB on Linux
    for entry in sys.argv[2:]:
        label = entry.split("=", 1)[0]
        status, peak = results[label]
        print("%s %d %d" % (label, status, peak))


if __name__ == "__main__":
    main()
