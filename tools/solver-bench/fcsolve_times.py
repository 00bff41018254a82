#!/usr/bin/env python3
# fc-solve over boards DIR/1.board .. DIR/DEALS.board, one process each, with a
# minute of processor time each: per board "SEED VERDICT MS", VERDICT 1 solvable,
# 0 not, timeout; MS the processor time of the process (user and system), from the
# kernel's own accounting, to the microsecond.
#   fcsolve_times.py DIR DEALS GAME [FC-SOLVE OPTION...]
import resource
import subprocess
import sys


def limit():
    resource.setrlimit(resource.RLIMIT_CPU, (60, 60))


def children_ms():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (usage.ru_utime + usage.ru_stime) * 1000


def main():
    folder, deals, game, options = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4:]
    for seed in range(1, deals + 1):
        before = children_ms()
        run = subprocess.run(["fc-solve", "--game", game, *options, f"{folder}/{seed}.board"],
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, preexec_fn=limit)
        spent = children_ms() - before
        verdict = "timeout" if run.returncode < 0 else str(int(b"This game is solveable." in run.stdout))
        print(f"{seed} {verdict} {spent:.3f}", flush=True)


main()
