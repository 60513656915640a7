#!/usr/bin/env python3
"""Times each conversion as a whole specbridge-cli process against `cat` of
the same input files: the minimum of RUNS interleaved runs of each, and their
ratio. Also the peak RSS of the largest titration and, where numpy is
installed, a numpy loadtxt/savetxt script doing the same titration.

Usage: bench/cli_vs_cat.py CLI [RUNS] [--no-fsync SHIM]   (RUNS defaults to 11)

--no-fsync preloads SHIM (build/bench/libbench_no_fsync.so) into every command,
so that the saves skip the flush to disk that `cat` into /dev/null never does."""
import glob
import os
import resource
import subprocess
import sys
import tempfile
import time

args = sys.argv[1:]
if "--no-fsync" in args:
    at = args.index("--no-fsync")
    os.environ["LD_PRELOAD"] = os.path.abspath(args[at + 1])
    del args[at:at + 2]
cli = os.path.abspath(args[0])
runs = int(args[1]) if len(args) > 1 else 11
here = os.path.dirname(os.path.abspath(__file__))
work = tempfile.mkdtemp(prefix="specbridge-cli-bench-")
inputs = os.path.join(work, "in")
subprocess.run([sys.executable, os.path.join(here, "make_inputs.py"), inputs], check=True)
os.chdir(inputs)
out = os.path.join(work, "out.txt")

series = sorted(glob.glob("max*.ASC"))
spectra = sorted(glob.glob("spec*.ASC"))
titration = [cli, "titration", "max00.ASC", "--comment1", "bench", "--v0", "2", "--vt", "0.01", "--cm", "1e-4",
             "--ch", "0", "--temp", "25", "--titrant", "1:1e-3", "-q", "-o", out]
cases = [
    ("titration, 101 files x 3001 points -> 2D file", series, titration),
    ("epsilon-table, 20 x 3001", ["eps.dem"], [cli, "epsilon-table", "eps.dem", "-q", "-o", out]),
    ("fix-epsilon, 20 x 3001", ["eps.dem"], [cli, "fix-epsilon", "eps.dem", "-q", "-o", out]),
    ("kinetics, layout C 500 x 601", ["kin_c.txt"],
     [cli, "kinetics", "kin_c.txt", "--comments1", "bench", "--dead-time", "0", "--interval", "1", "--apply", "-q",
      "-o", out]),
    ("sheet, 100 spectra x 601 points", spectra, [cli, "sheet"] + spectra + ["-q", "-o", out]),
    ("resave, 3001 rows x 100 fields", ["sheet100.txt"], [cli, "resave", "sheet100.txt", "-q", "-o", out]),
    ("columns --spaces-to-tab, 100k lines", ["columns100k.txt"],
     [cli, "columns", "columns100k.txt", "--spaces-to-tab", "-q", "-o", out]),
]
# numpy may belong to the system's python only (Debian's python3-numpy).
for python in (sys.executable, "/usr/bin/python3"):
    if subprocess.run([python, "-c", "import numpy"], stderr=subprocess.DEVNULL).returncode == 0:
        cases.append(("numpy loadtxt/savetxt of the titration", series,
                      [python, os.path.join(here, "numpy_titration.py"), "max", out]))
        break


def seconds(command):
    """Wall time and CPU time (user + system) of one run."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return wall, after.ru_utime + after.ru_stime - before.ru_utime - before.ru_stime


print("%-44s %17s %17s %15s" % ("work (min of %d runs)" % runs, "wall ms cli/cat", "cpu ms cli/cat", "ratio wall/cpu"))
for name, files, command in cases:
    cat = ["cat"] + files
    best = {"cli": [float("inf")] * 2, "cat": [float("inf")] * 2}
    for _ in range(runs):  # interleaved, so both see the same machine load
        for key, run in (("cat", cat), ("cli", command)):
            best[key] = [min(a, b) for a, b in zip(best[key], seconds(run))]
    (cli_wall, cli_cpu), (cat_wall, cat_cpu) = best["cli"], best["cat"]
    print("%-44s %8.1f / %6.1f %8.1f / %6.1f %6.1fx / %4.1fx" %
          (name, cli_wall * 1e3, cat_wall * 1e3, cli_cpu * 1e3, cat_cpu * 1e3, cli_wall / cat_wall, cli_cpu / cat_cpu))

# Peak RSS of the titration, beside the bytes it moves.
rss = subprocess.run(["/usr/bin/time", "-f", "%M"] + titration, check=True, stderr=subprocess.PIPE, text=True)
peak = int(rss.stderr.split()[-1]) / 1024
moved = (sum(os.path.getsize(f) for f in series) + os.path.getsize(out)) / 2 ** 20
print("titration peak RSS %.1f MB; input + output %.1f MB; ratio %.2f" % (peak, moved, peak / moved))
subprocess.run(["rm", "-rf", work], check=True)
