#!/usr/bin/env python3
"""Checks the Windows ZIP that cpack built: both programs and the README, in one
top folder, the programs real PE executables for x64, the README readable
Japanese and English text."""
import sys
import zipfile


def main(path):
    with zipfile.ZipFile(path) as archive:
        names = [n for n in archive.namelist() if not n.endswith("/")]
        tops = {n.split("/", 1)[0] for n in names}
        if len(tops) != 1:
            sys.exit(f"zip package: expected one top folder, found {sorted(tops)}")
        top = tops.pop()
        files = {n.split("/", 1)[1] for n in names}
        if files != {"norvaket.exe", "norvaket-status.exe", "README.txt"}:
            sys.exit(f"zip package: unexpected files {sorted(files)}")
        for exe in ("norvaket.exe", "norvaket-status.exe"):
            data = archive.read(f"{top}/{exe}")
            pe = int.from_bytes(data[0x3C:0x40], "little")
            # "MZ", then the PE header with machine 0x8664 (x64).
            if data[:2] != b"MZ" or data[pe:pe + 4] != b"PE\0\0" or data[pe + 4:pe + 6] != b"\x64\x86":
                sys.exit(f"zip package: {exe} is not an x64 Windows program")
        readme = archive.read(f"{top}/README.txt").decode("utf-8-sig")
        for needed in ("日本語", "English", "norvaket.exe", "norvaket-status.exe", r"%APPDATA%\Norvaket"):
            if needed not in readme:
                sys.exit(f"zip package: README.txt does not mention {needed}")
    print(f"zip package is valid: {path}")


if __name__ == "__main__":
    main(sys.argv[1])
