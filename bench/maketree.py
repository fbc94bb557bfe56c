#!/usr/bin/env python3
"""Writes a benchmark tree: COUNT files totalling about MEGABYTES, half compressible text and half
random bytes, sizes from a few bytes to 20 MB, in nested folders. Deterministic for a seed."""
import os
import random
import sys


def main():
    root, count, megabytes = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    rng = random.Random(20261207)
    total = int(megabytes * 1024 * 1024)
    # Sizes from a log-uniform spread, scaled so that they add up to the total.
    raw = [10 ** rng.uniform(0.5, 7.3) for _ in range(count)]
    scale = total / sum(raw)
    sizes = [max(1, min(20 * 1024 * 1024, int(r * scale))) for r in raw]
    words = b"the quick brown fox jumps over the lazy dog while backups run quietly at night "
    text = (words * (20 * 1024 * 1024 // len(words) + 1))
    for i, size in enumerate(sizes):
        folder = os.path.join(root, "area%02d" % (i % 17), "folder%03d" % (i % 113))
        os.makedirs(folder, exist_ok=True)
        path = os.path.join(folder, "file%05d.%s" % (i, "txt" if i % 2 else "bin"))
        with open(path, "wb") as f:
            if i % 2:
                start = rng.randrange(0, len(words))
                f.write(text[start:start + size])
            else:
                f.write(os.urandom(size))


if __name__ == "__main__":
    main()
