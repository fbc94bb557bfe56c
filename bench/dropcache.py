#!/usr/bin/env python3
"""Drops the page cache of every file below the given paths (they must be synced first), so
that an output set aside costs the next timed run no more memory than a deleted one would."""
import os
import sys

for top in sys.argv[1:]:
    for folder, _, names in os.walk(top):
        for name in names:
            path = os.path.join(folder, name)
            if os.path.islink(path):
                continue
            try:
                fd = os.open(path, os.O_RDONLY)
            except OSError:
                continue
            try:
                os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED)
            finally:
                os.close(fd)
