#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the PCX fuzzing seeds (well-formed files of every supported layout) to
tools/fuzz/seeds and the hand-made malformed files to tests/platform/pcx-corpus."""
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parents[2]
SEEDS = ROOT / "tools" / "fuzz" / "seeds"
LIARS = ROOT / "tests" / "platform" / "pcx-corpus"


def header(version=5, encoding=1, bpp=8, planes=1, window=(0, 0, 7, 3), bpl=8, palette=b""):
    head = struct.pack("<BBBB4HHH", 0x0A, version, encoding, bpp, *window, 72, 72)
    head += palette.ljust(48, b"\0")[:48] + b"\0" + bytes([planes]) + struct.pack("<HH", bpl, 1)
    return head.ljust(128, b"\0")


def rle(raw):
    out = bytearray()
    i = 0
    while i < len(raw):
        run = 1
        while i + run < len(raw) and raw[i + run] == raw[i] and run < 63:
            run += 1
        if run > 1 or raw[i] >= 0xC0:
            out.append(0xC0 | run)
        out.append(raw[i])
        i += run
    return bytes(out)


def vga(marker=0x0C):
    return bytes([marker]) + bytes((i * 7 + c * 50) & 0xFF for i in range(256) for c in range(3))


EGA = bytes((i * 17 + c * 80) & 0xFF for i in range(16) for c in range(3))


def pattern(count, seed=1):
    return bytes((i * seed * 37 + i // 5) & 0xFF for i in range(count))


def seeds():
    yield "mono.pcx", header(bpp=1, window=(0, 0, 12, 5), bpl=2) + rle(pattern(2 * 6))
    yield "ega-planes.pcx", header(bpp=1, planes=4, window=(0, 0, 9, 3), bpl=2, palette=EGA) + rle(pattern(8 * 4, 3))
    yield "cga.pcx", header(bpp=2, window=(0, 0, 6, 2), bpl=2, palette=EGA) + rle(pattern(2 * 3))
    yield "nibbles.pcx", header(bpp=4, window=(0, 0, 4, 3), bpl=4, palette=EGA) + rle(pattern(4 * 4, 5))
    yield "vga.pcx", header(window=(0, 0, 7, 5), bpl=8) + rle(bytes(20) + pattern(28, 7)) + vga()
    yield "grey.pcx", header(window=(0, 0, 5, 2), bpl=6) + rle(pattern(18, 11))
    yield "rgb.pcx", header(planes=3, window=(0, 0, 4, 3), bpl=6) + rle(pattern(6 * 3 * 4, 13))
    yield "raw.pcx", header(encoding=0, window=(3, 4, 6, 5), bpl=4) + pattern(8, 17)
    yield "version3.pcx", header(version=3, bpp=4, window=(0, 0, 3, 1), bpl=2) + rle(pattern(4, 19))


def liars():
    rgb = header(planes=3, window=(0, 0, 4, 3), bpl=6) + rle(pattern(6 * 3 * 4, 13))
    yield "huge-dimensions.pcx", header(window=(0, 0, 65535, 65535), bpl=65535) + rle(pattern(64))
    yield "too-many-pixels.pcx", header(bpp=1, window=(0, 0, 16383, 16383), bpl=2048) + rle(pattern(64))
    yield "promises-too-much.pcx", header(window=(0, 0, 4000, 4000), bpl=4002) + bytes([0xFF, 0x01] * 200)
    yield "wide-lines.pcx", header(window=(0, 0, 1, 1), bpl=65535) + bytes([0xFF, 0x01] * 100)
    yield "truncated-run.pcx", header() + bytes([0xC5, 0x10] * 6) + bytes([0xC9])
    yield "truncated-rgb.pcx", rgb[: len(rgb) - 3]
    yield "header-only.pcx", header()
    yield "short-header.pcx", header()[:60]
    yield "run-past-line-end.pcx", header(window=(0, 0, 2, 2), bpl=4) + bytes([0xFF, 0x07, 0x01])
    yield "zero-length-runs.pcx", header(window=(0, 0, 1, 0), bpl=2) + bytes([0xC0, 0x55] * 50) + b"\x01"
    yield "bad-palette-marker.pcx", header(window=(0, 0, 7, 3), bpl=8) + rle(pattern(32)) + vga(0x0B)
    yield "palette-without-pixels.pcx", header(window=(0, 0, 7, 3), bpl=8) + vga()
    yield "zero-planes.pcx", header(planes=0) + rle(pattern(32))
    yield "five-planes.pcx", header(bpp=1, planes=5, window=(0, 0, 7, 0), bpl=2) + rle(pattern(10))
    yield "bpp3.pcx", header(bpp=3) + rle(pattern(32))
    yield "bpp16.pcx", header(bpp=16) + rle(pattern(64))
    yield "rgba-planes.pcx", header(planes=4) + rle(pattern(128))
    yield "xmax-below-xmin.pcx", header(window=(9, 0, 3, 3)) + rle(pattern(32))
    yield "ymax-below-ymin.pcx", header(window=(0, 9, 7, 3)) + rle(pattern(32))
    yield "bpl-too-small.pcx", header(window=(0, 0, 7, 3), bpl=7) + rle(pattern(28))
    yield "bpl-zero.pcx", header(bpl=0) + rle(pattern(32))
    yield "odd-bpl-mono.pcx", header(bpp=1, window=(0, 0, 16, 0), bpl=3) + b"\xAA\x55\x80"
    yield "encoding-2.pcx", header(encoding=2) + rle(pattern(32))
    yield "version-1.pcx", header(version=1) + rle(pattern(32))
    yield "version-255.pcx", header(version=255) + rle(pattern(32))
    yield "not-pcx.pcx", b"\x0B" + header()[1:] + rle(pattern(32))
    yield "empty.pcx", b""
    yield "one-byte.pcx", b"\x0A"
    yield "raw-short.pcx", header(encoding=0) + pattern(31)
    yield "max-run-chain.pcx", header(window=(0, 0, 62, 62), bpl=63) + bytes([0xFF, 0x33] * 63)


def write(folder, files):
    folder.mkdir(parents=True, exist_ok=True)
    for name, data in files:
        (folder / name).write_bytes(data)


if __name__ == "__main__":
    write(SEEDS, seeds())
    write(LIARS, liars())
