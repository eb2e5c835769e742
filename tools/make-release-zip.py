#!/usr/bin/env python3
"""Writes the release zip: make-release-zip.py ZIP README FILE...

README goes in as README.TXT with CR LF line ends, for Notepad on Windows
95/98; the files go in under their own names, all at the top of the zip.
"""

import os
import sys
import time
import zipfile


def main(argv):
    if len(argv) < 4:
        print("usage: make-release-zip.py ZIP README FILE...", file=sys.stderr)
        return 2
    target, readme, files = argv[1], argv[2], argv[3:]
    with open(readme, encoding="ascii") as handle:
        text = handle.read().replace("\r\n", "\n").replace("\n", "\r\n")
    stamp = time.localtime(int(os.environ.get("SOURCE_DATE_EPOCH", time.time())))[:6]
    partial = target + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as archive:
        archive.writestr(zipfile.ZipInfo("README.TXT", stamp), text.encode("ascii"),
                         zipfile.ZIP_DEFLATED)
        for path in files:
            info = zipfile.ZipInfo(os.path.basename(path), stamp)
            with open(path, "rb") as handle:
                archive.writestr(info, handle.read(), zipfile.ZIP_DEFLATED)
    os.replace(partial, target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
