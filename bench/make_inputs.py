#!/usr/bin/env python3
"""Writes the largest realistic input of each conversion into DIR, as the
instruments and earlier runs write them (CR LF lines). Usage: make_inputs.py DIR"""
import math
import os
import random
import sys

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
rnd = random.Random(11)


def write(name, lines):
    with open(os.path.join(out, name), "w", newline="") as f:
        f.write("\r\n".join(lines) + "\r\n")


# Titration: 101 comma-column files of 3001 points, 190.0 to 490.0 nm.
for k in range(101):
    write("max%02d.ASC" % k,
          ["%.1f,%.6f" % (190 + 0.1 * i, 0.02 * k * (1 + math.sin(i / 300)) + rnd.uniform(-0.002, 0.002))
           for i in range(3001)])

# Epsilon table (*a.dem): 20 spectra of 3001 wavelengths.
band = lambda i, s: 12000 * math.exp(-((i - 1000 - 10 * s) / 300) ** 2)
write("eps.dem", ["1 20 3001"] + ["%.1f" % (200 + 0.2 * i) for i in range(3001)] +
      ["%.2f" % band(i, s) for s in range(20) for i in range(3001)])

# Kinetics layout C: 500 spectra of 601 wavelengths under a title header.
value = lambda t, j: 0.5 * math.exp(-0.01 * t) * (1 + math.sin(j / 50)) + 1e-5 * ((t * 7 + j * 13) % 97)
lines = ["##TITLE=bench"] + ["##LABEL="] * 9 + ["##FIRSTX=200", "##LASTX=800", "##NPOINTS=601", "", ""]
lines += ["##FIRSTX=0", "##LASTX=499", "##NPOINTS=500", "##XYDATA"]
for t in range(500):
    lines += ["##PAGE"] + ["%.6f" % value(t, j) for j in range(601)]
write("kin_c.txt", lines + ["##END="])

# Sheet: 100 comma-column spectra of 601 points (a sheet takes at most 602).
for k in range(100):
    write("spec%02d.ASC" % k, ["%.1f,%.6f" % (200 + i, value(k, i)) for i in range(601)])

# Resave: a tab sheet of 3001 rows and 100 fields (99 tabs, the most a row may hold).
write("sheet100.txt", ["\t".join(["%.1f" % (190 + 0.1 * i)] + ["%.6f" % value(k, i % 601) for k in range(99)])
                       for i in range(3001)])

# Columns: 100,000 lines of two blank-separated columns.
write("columns100k.txt", ["%.4f %.6f" % (0.01 * i, value(i % 500, i % 601)) for i in range(100000)])
