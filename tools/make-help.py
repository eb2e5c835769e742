#!/usr/bin/env python3
"""Builds trelmrk.hlp from the help sources: make-help.py SOURCE OUTPUT.

The file's date is SOURCE_DATE_EPOCH when set, else the source's own time,
so that the same source always gives the same bytes.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from helpfile.source import SourceError, parse  # noqa: E402
from helpfile.writer import HelpError, write_help  # noqa: E402

TITLE = "Trellmark Help"


def main(argv):
    if len(argv) != 3:
        print("usage: make-help.py SOURCE OUTPUT", file=sys.stderr)
        return 2
    source, output = argv[1], argv[2]
    with open(source, encoding="utf-8") as handle:
        text = handle.read()
    date = int(os.environ.get("SOURCE_DATE_EPOCH", int(os.stat(source).st_mtime)))
    try:
        data = write_help(parse(text, source), TITLE, date)
    except (SourceError, HelpError) as error:
        print(f"make-help: {error}", file=sys.stderr)
        return 1
    # Written whole under another name first, so a failed run leaves no
    # half-written help file behind.
    partial = output + ".part"
    with open(partial, "wb") as handle:
        handle.write(data)
    os.replace(partial, output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
