#!/usr/bin/env python3
"""The titration conversion as a numpy user would write it, for comparison:
every PREFIXnn.ASC of the series read with loadtxt, the wavelengths and all
absorbances saved as one tab-separated table. Usage: numpy_titration.py PREFIX OUT"""
import os
import sys

import numpy

prefix, out = sys.argv[1], sys.argv[2]
files = []
while os.path.exists("%s%02d.ASC" % (prefix, len(files))):
    files.append("%s%02d.ASC" % (prefix, len(files)))
first = numpy.loadtxt(files[0], delimiter=",")
table = numpy.column_stack([first[:, 0], first[:, 1]] + [numpy.loadtxt(f, delimiter=",")[:, 1] for f in files[1:]])
numpy.savetxt(out, table, delimiter="\t", fmt="%.8g", newline="\r\n")
