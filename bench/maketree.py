#!/usr/bin/env python3
"""Writes a benchmark tree of COUNT files, half compressible text and half random bytes, in nested
folders. Deterministic for a seed.

  maketree.py ROOT COUNT MEGABYTES   sizes from a few bytes to 20 MB on a log-uniform spread,
                                     scaled to add up to about MEGABYTES
  maketree.py ROOT COUNT user        sizes like a user's documents: exponential around 40 KB,
                                     with one file in ten of 1 to 20 MB
"""
import os
import random
import sys

MB = 1024 * 1024


def spread_sizes(rng, count, megabytes):
    # A log-uniform spread, scaled so that the sizes add up to the total.
    raw = [10 ** rng.uniform(0.5, 7.3) for _ in range(count)]
    scale = megabytes * MB / sum(raw)
    return [max(1, min(20 * MB, int(r * scale))) for r in raw]


def user_sizes(rng, count):
    return [int(rng.uniform(1, 20) * MB) if rng.random() < 0.1
            else max(1, int(rng.expovariate(1 / (40 * 1024)))) for _ in range(count)]


def main():
    root, count, shape = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    rng = random.Random(20261207)
    sizes = user_sizes(rng, count) if shape == "user" else spread_sizes(rng, count, float(shape))
    words = b"the quick brown fox jumps over the lazy dog while backups run quietly at night "
    text = (words * (20 * MB // len(words) + 1))
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
