#!/usr/bin/env python3
"""Writes the duplicate finder's benchmark corpus and its true sets.

    gencorpus.py FOLDER [--files N] [--megabytes M] [--seed S]

FOLDER/tree holds N files of random data (about M megabytes in all) in
nested folders: a quarter of the files are byte-identical copies of others
under other names; about 1,500 files share their size with another file but
differ (half of them only in their last 4 KiB or their last byte); some
files share a name with another but differ; some files are empty.
FOLDER/truesets.txt lists every set of two or more non-empty files with
identical contents: one set per paragraph, paths relative to FOLDER/tree
with "/" separators, sorted, the sets sorted by their first path.
FOLDER/corpus.txt gives the figures. The same seed gives the same corpus.
"""
import argparse
import hashlib
import os
import random
import shutil


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("folder")
    ap.add_argument("--files", type=int, default=30000)
    ap.add_argument("--megabytes", type=int, default=1536)
    ap.add_argument("--seed", type=int, default=20071215)
    args = ap.parse_args()
    rnd = random.Random(args.seed)
    tree = os.path.join(args.folder, "tree")
    if os.path.exists(tree):
        shutil.rmtree(tree)

    n = args.files
    copies = n // 4
    twins = 750  # pairs: 1,500 files sharing a size but differing
    same_name = 500
    empty = 200
    originals = n - copies - twins - same_name - empty
    # Sizes log-uniform, scaled so the whole corpus is about M megabytes.
    low, high = 256, 400 * 1024
    sizes = [int(low * (high / low) ** rnd.random()) for _ in range(originals)]
    mean = sum(sizes) / len(sizes)
    expected = mean * (originals + copies + twins + same_name)
    scale = args.megabytes * 1024 * 1024 / expected
    sizes = [max(1, int(s * scale)) for s in sizes]

    folders = [f"d{a:02}/s{b:02}/t{c}" for a in range(30) for b in range(10) for c in range(5)]
    used = set()

    def place(name):
        while True:
            path = f"{rnd.choice(folders)}/{name}"
            if path.lower() not in used:
                used.add(path.lower())
                return path

    def write(rel, data):
        full = os.path.join(tree, rel)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(data)

    exts = [".jpg", ".doc", ".mp3", ".pdf", ".txt", ".bin", ".zip", ".png"]
    orig_paths = []
    for i, size in enumerate(sizes):
        rel = place(f"file{i:05}{rnd.choice(exts)}")
        write(rel, os.urandom(size))
        orig_paths.append(rel)
    for i in range(copies):
        src = rnd.choice(orig_paths)
        rel = place(f"copy{i:05}{os.path.splitext(src)[1]}")
        dst = os.path.join(tree, rel)
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copyfile(os.path.join(tree, src), dst)
    for i in range(twins):
        src = rnd.choice(orig_paths)
        with open(os.path.join(tree, src), "rb") as f:
            data = bytearray(f.read())
        kind = i % 4
        if kind == 0:  # the last byte differs
            data[-1] ^= 0x5A
        elif kind == 1:  # the last 4 KiB differ
            tail = min(4096, len(data))
            data[-tail:] = os.urandom(tail)
            if tail and data[-1] == 0:
                data[-1] = 1
        else:  # same size, other contents
            data = bytearray(os.urandom(len(data)))
        write(place(f"twin{i:05}.bin"), bytes(data))
    for i in range(same_name):
        src = rnd.choice(orig_paths)
        name = os.path.basename(src)
        write(place(name), os.urandom(rnd.randint(100, 50000)))
    for i in range(empty):
        write(place(f"empty{i:04}.txt"), b"")

    # The true sets, by the whole contents of every file sharing a size.
    by_size = {}
    total = 0
    count = 0
    for dirpath, _, names in os.walk(tree):
        for name in names:
            full = os.path.join(dirpath, name)
            size = os.path.getsize(full)
            count += 1
            total += size
            if size:
                by_size.setdefault(size, []).append(full)
    sets = []
    shared = 0
    for size, paths in by_size.items():
        if len(paths) < 2:
            continue
        shared += size * len(paths)
        by_hash = {}
        for p in paths:
            with open(p, "rb") as f:
                by_hash.setdefault(hashlib.sha256(f.read()).digest(), []).append(
                    os.path.relpath(p, tree).replace(os.sep, "/"))
        sets += [sorted(s) for s in by_hash.values() if len(s) > 1]
    sets.sort()
    with open(os.path.join(args.folder, "truesets.txt"), "w") as f:
        f.write("\n".join("\n".join(s) + "\n" for s in sets))
    with open(os.path.join(args.folder, "corpus.txt"), "w") as f:
        f.write(f"files {count}\nbytes {total}\nsets {len(sets)}\n"
                f"files_in_sets {sum(len(s) for s in sets)}\n"
                f"bytes_sharing_a_size {shared}\n")


if __name__ == "__main__":
    main()
