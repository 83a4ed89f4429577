#!/usr/bin/env python3
"""Write a file in the layout of the publisher's complete SKS file, for trying and measuring
vexdiagnose-import. Generate it; never commit it.

usage: make-sks-file.py LINES OUTPUT [--utf8] [--source TABLE]

LINES lines, fixed-width: record kind (3), code (20), valid from (8), date of last change
(8), valid to (8, blank when open), text (120), then further fields. The codes and texts come
from TABLE (default: lists/sks-codes-da.tsv, code TAB text); the table is repeated with made
up codes (first letter, "Z", a serial number) until LINES are written. Kinds by the code's
first letter: D dia, K opr, B beh, U und, M atc (skipped by the import).

To meet every case of the import, codes are given several lines by a fixed rule:
  every 4th code   an old text until 2019-01-01 and the current text from then on
  every 10th code  valid only from 2020-03-01 (a code that came after 2018)
  every 25th code  closed on 2015-01-01
  every 50th code  two open periods that overlap (the later "valid from" wins)
Texts longer than 120 characters fill their field, as an export cuts them.
Windows-1252 with CR LF (default), or UTF-8 with LF (--utf8).
"""
import os
import sys

KINDS = {"D": "dia", "K": "opr", "B": "beh", "U": "und", "M": "atc"}


def record(kind, code, start, change, end, text):
    return (kind.ljust(3) + code.ljust(20) + start + change + end.ljust(8) +
            text[:120].ljust(120) + "  0000000001 SKS " + change)


def lines_of(serial, code, text):
    kind = KINDS.get(code[0], "xxx")
    if serial % 50 == 7:
        return [record(kind, code, "19940101", "19940101", "", text + " (første periode)"),
                record(kind, code, "20100101", "20100101", "", text)]
    if serial % 25 == 3:
        return [record(kind, code, "19940101", "20141201", "20150101", text)]
    if serial % 10 == 5:
        return [record(kind, code, "20200301", "20200301", "", text)]
    if serial % 4 == 1:
        return [record(kind, code, "19940101", "20181201", "20190101", text + " (gammel tekst)"),
                record(kind, code, "20190101", "20181201", "", text)]
    return [record(kind, code, "19940101", "20241117", "", text)]


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if len(args) != 2:
        sys.exit(__doc__)
    total, target = int(args[0]), args[1]
    utf8 = "--utf8" in sys.argv
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lists",
                          "sks-codes-da.tsv")
    if "--source" in sys.argv:
        source = sys.argv[sys.argv.index("--source") + 1]
    with open(source, encoding="utf-8") as f:
        table = [line.rstrip("\n").split("\t", 1) for line in f if "\t" in line]
    out = []
    serial = 0
    while len(out) < total:
        for code, text in table:
            copy = serial // len(table)
            if copy > 0:
                code = "%sZ%08d" % (code[0], serial)
            out.extend(lines_of(serial, code, text))
            serial += 1
            if len(out) >= total:
                break
    del out[total:]
    newline = "\n" if utf8 else "\r\n"
    with open(target, "wb") as f:
        f.write((newline.join(out) + newline).encode("utf-8" if utf8 else "cp1252"))


if __name__ == "__main__":
    main()
