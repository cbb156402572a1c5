#!/usr/bin/env python3
"""Checks the files norvaket-icons writes against readers that are not ours:
Python's zlib inflates every PNG, ImageMagick decodes the PNGs and the .ico,
and all of them must agree pixel for pixel.

usage: icon_files_test.py PATH/TO/norvaket-icons
Exit status 0 passed, 1 failed, 77 skipped (ImageMagick missing)."""

import shutil
import struct
import subprocess
import sys
import tempfile
import zlib
from pathlib import Path

HICOLOR_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
ICO_SIZES = [16, 20, 24, 32, 48, 64, 256]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def read_png(path):
    """(width, height, RGBA bytes) through zlib, checking every chunk CRC."""
    data = path.read_bytes()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", f"{path}: no PNG signature"
    at, idat, header = 8, b"", None
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        (crc,) = struct.unpack(">I", data[at + 8 + length:at + 12 + length])
        check(zlib.crc32(kind + body) == crc, f"{path}: bad CRC in {kind!r}")
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    width, height, depth, colour, _, _, interlace = header
    check((depth, colour, interlace) == (8, 6, 0), f"{path}: not 8-bit RGBA without interlace")
    raw = zlib.decompress(idat)
    stride = width * 4 + 1
    check(len(raw) == stride * height, f"{path}: wrong amount of pixel data")
    check(all(raw[y * stride] == 0 for y in range(height)), f"{path}: unexpected row filter")
    pixels = b"".join(raw[y * stride + 1:(y + 1) * stride] for y in range(height))
    return width, height, pixels


def magick_rgba(source):
    return subprocess.run(["convert", source, "-depth", "8", "rgba:-"], check=True,
                          capture_output=True).stdout


def run_tool(tool, *args):
    return subprocess.run([tool, *map(str, args)], capture_output=True, text=True)


def test_hicolor_tree(tool, work):
    result = run_tool(tool, "hicolor", work / "hicolor")
    check(result.returncode == 0, f"hicolor failed: {result.stderr}")
    for size in HICOLOR_SIZES:
        path = work / "hicolor" / f"{size}x{size}" / "apps" / "norvaket.png"
        if not check(path.is_file(), f"missing {path}"):
            continue
        width, height, pixels = read_png(path)
        check((width, height) == (size, size), f"{path}: {width}x{height}")
        check(magick_rgba(f"png:{path}") == pixels, f"{path}: ImageMagick reads other pixels than zlib")


def test_ico(tool, work):
    ico = work / "norvaket.ico"
    result = run_tool(tool, "ico", ico)
    check(result.returncode == 0, f"ico failed: {result.stderr}")
    frames = subprocess.run(["identify", "-format", "%w %h\n", str(ico)], check=True,
                            capture_output=True, text=True).stdout.split("\n")
    check([f for f in frames if f] == [f"{s} {s}" for s in ICO_SIZES], f"ico frames: {frames}")
    for index, size in enumerate(ICO_SIZES):
        png = work / f"app-{size}.png"
        run_tool(tool, "app", size, png)
        _, _, expected = read_png(png)
        actual = magick_rgba(f"ico:{ico}[{index}]")
        # A reader may take a faint pixel's transparency from the AND mask; compare
        # the pixels that count as opaque there and require the rest to be faint.
        for i in range(0, len(expected), 4):
            if expected[i + 3] >= 128:
                if not check(actual[i:i + 4] == expected[i:i + 4], f"ico {size}: pixel {i // 4} differs"):
                    break
            elif not check(actual[i + 3] < 128, f"ico {size}: pixel {i // 4} should be transparent"):
                break


def test_tray_and_errors(tool, work):
    ids = run_tool(tool, "ids").stdout.split()
    check(len(ids) == 38 and ids[0] == "100" and ids[-1] == "901", f"ids: {ids}")
    path = work / "207.png"
    check(run_tool(tool, "tray", 207, 24, path).returncode == 0, "tray 207 24")
    width, height, pixels = read_png(path)
    check((width, height) == (24, 24), "tray 207 size")
    check(magick_rgba(f"png:{path}") == pixels, "tray 207: ImageMagick disagrees")
    for args, status in [(("tray", "abc", 16, path), 2), (("tray", 100, 300, path), 2),
                         (("tray", 100, 15, path), 2), (("app", "16px", path), 2), (("frob",), 2),
                         (("tray", 100, 16, work / "no" / "such" / "dir.png"), 1)]:
        result = run_tool(tool, *args)
        check(result.returncode == status, f"{args}: status {result.returncode}, expected {status}")


def main():
    if shutil.which("convert") is None or shutil.which("identify") is None:
        print("ImageMagick is not installed; skipped")
        return 77
    tool = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        work = Path(folder)
        test_hicolor_tree(tool, work)
        test_ico(tool, work)
        test_tray_and_errors(tool, work)
    for failure in failures:
        print("FAIL:", failure)
    print("icon files:", "failed" if failures else "passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
