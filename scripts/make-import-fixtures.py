#!/usr/bin/python3
"""Writes the Excel and dBase files the import tests read (tests/data/import).

Needs python3-xlwt.  The generated files are kept in the repository, so the
tests do not run this script; run it again only to change the fixtures.
"""
import datetime
import os
import struct
import sys

import xlwt
from xlwt import Workbook as _Workbook

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "tests", "data", "import")


def record(rec_id, data):
    return struct.pack("<HH", rec_id, len(data)) + data


class WorkbookWithNames(_Workbook):
    """An xlwt workbook that also writes workbook-wide named ranges."""

    def __init__(self):
        super().__init__()
        self.named_ranges = []  # (name, sheet index, first row, last row, first col, last col)

    def add_named_range(self, name, sheet, first_row, last_row, first_col, last_col):
        self.named_ranges.append((name, sheet, first_row, last_row, first_col, last_col))

    def _Workbook__all_links_rec(self):
        if not self.named_ranges:
            return b""
        sheet_count = len(self._Workbook__worksheets)
        out = record(0x01AE, struct.pack("<HBB", sheet_count, 0x01, 0x04))  # SUPBOOK, own workbook
        refs = sorted({r[1] for r in self.named_ranges})
        out += record(0x0017, struct.pack("<H", len(refs)) +
                      b"".join(struct.pack("<HHH", 0, s, s) for s in refs))  # EXTERNSHEET
        for name, sheet, r1, r2, c1, c2 in self.named_ranges:
            formula = struct.pack("<BHHHHH", 0x3B, refs.index(sheet), r1, r2, c1, c2)  # tArea3d
            encoded = name.encode("latin-1")
            body = struct.pack("<HBBHHHBBBB", 0, 0, len(encoded), len(formula), 0, 0, 0, 0, 0, 0)
            out += record(0x0018, body + b"\x00" + encoded + formula)  # NAME
        return out


DATE = xlwt.easyxf(num_format_str="DD.MM.YYYY")


def write_rows(sheet, rows):
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is None:
                continue
            if isinstance(value, datetime.date):
                sheet.write(r, c, value, DATE)
            else:
                sheet.write(r, c, value)


def d(y, m, day):
    return datetime.date(y, m, day)


def make_two_sheets():
    wb = WorkbookWithNames()
    patients = wb.add_sheet("Patients")
    write_rows(patients, [
        ["BeginFU", "EndFU", "Status", "Stage", "Sex", "Birth", None],
        [d(1990, 3, 12), d(1993, 7, 1), 1, "I", 1, d(1931, 5, 20), "note"],
        [d(1990, 8, 30), d(2005, 12, 31), 0, "II", 2, d(1940, 11, 2), None],
        [d(1991, 1, 15), d(1992, 2, 10), "1", "III", 1, None, None],
        [None, d(1999, 5, 5), 1, "I", 2, d(1944, 1, 1), None],
        ["05.03.2001", d(2005, 12, 31), " 1", "II", 1, d(1950, 2, 1), None],
        [d(2000, 2, 29), d(2004, 6, 30), 1.5, "i", 2, d(1948, 2, 29), None],
    ])
    controls = wb.add_sheet("Controls")
    write_rows(controls, [["A", "B"], [1, "x"], [2, "y"]])
    wb.add_named_range("Subset", 0, 0, 2, 2, 4)  # Patients!C1:E3
    wb.save(os.path.join(OUT, "two_sheets.xls"))


def make_sheet_and_range():
    wb = WorkbookWithNames()
    cases = wb.add_sheet("Cases")
    write_rows(cases, [
        ["Begin", "End", "Status"],
        [d(1995, 1, 1), d(1996, 1, 1), 1],
        [d(1995, 6, 1), d(1997, 6, 1), 0],
        [d(1999, 1, 1), d(2000, 1, 1), 1],
    ])
    wb.add_named_range("Cases", 0, 0, 2, 0, 2)  # Cases!A1:C3
    wb.save(os.path.join(OUT, "one_sheet.xls"))


def dbf(path, fields, rows, deleted=(), record_count=None):
    """fields: (name, type, length, decimals); rows: tuples of raw texts."""
    record_length = 1 + sum(f[2] for f in fields)
    header_length = 32 + 32 * len(fields) + 1
    count = len(rows) if record_count is None else record_count
    out = struct.pack("<BBBBIHH20x", 0x03, 124, 12, 7, count, header_length, record_length)
    for name, ftype, length, decimals in fields:
        out += struct.pack("<11sc4xBB14x", name.encode("ascii"), ftype.encode("ascii"), length, decimals)
    out += b"\x0D"
    for i, row in enumerate(rows):
        out += b"*" if i in deleted else b" "
        for (name, ftype, length, decimals), value in zip(fields, row):
            raw = value.encode("latin-1")
            if ftype in "NF":
                raw = raw.rjust(length)
            out += raw.ljust(length)[:length]
    out += b"\x1A"
    with open(path, "wb") as f:
        f.write(out)


def make_dbase():
    folder = os.path.join(OUT, "dbase")
    os.makedirs(folder, exist_ok=True)
    fields = [("BEGINFU", "D", 8, 0), ("ENDFU", "D", 8, 0), ("STATUS", "C", 3, 0), ("STAGE", "C", 5, 0),
              ("SEX", "N", 1, 0), ("BIRTH", "D", 8, 0), ("WEIGHT", "F", 8, 2), ("ALIVE", "L", 1, 0)]
    dbf(os.path.join(folder, "CASES.DBF"), fields, [
        ("19900312", "19930701", "1", "I", "1", "19310520", "72.50", "F"),
        ("19900830", "20051231", "0", "II", "2", "18500615", "", "T"),
        ("19910115", "19920210", "1", "III", "1", "", "1e2", "?"),
        ("", "19990505", "1", "I", "2", "19440101", "abc", "Y"),
        ("20010305", "20051231", " 1", "", "1", "19500201", "-3", "n"),
        ("19920229", "19960918", "1", "II", "1", "19360909", "0", " "),
        ("20030616", "20040201", "0", "i", "2", "20050231", "1.25", "t"),
    ], deleted={5})
    dbf(os.path.join(folder, "Separate.dbf"),
        [("BEGD", "N", 2, 0), ("BEGM", "N", 2, 0), ("BEGY", "N", 4, 0), ("ENDD", "N", 2, 0),
         ("ENDM", "N", 2, 0), ("ENDY", "C", 4, 0), ("VITAL", "N", 1, 0)], [
        ("12", "3", "1990", "1", "7", "1993", "1"),
        ("5", "5", "98", "10", "10", "1999", "1"),
        ("1", "1", "1997", "2", "1", "98", "1"),
        ("10", "10", "1998", "15", "5", "abc", "1"),
        ("21", "3", "1999", "31", "12", "", "0"),
        ("", "2", "2000", "30", "11", "2002", "1"),
    ])
    bad = os.path.join(OUT, "dbase_bad")
    os.makedirs(bad, exist_ok=True)
    dbf(os.path.join(bad, "TRUNC.DBF"), [("STATUS", "C", 3, 0)], [("1",), ("0",)], record_count=5)
    with open(os.path.join(bad, "NOTDBF.DBF"), "w") as f:
        f.write("this is not a dBase file\n")


def main():
    os.makedirs(OUT, exist_ok=True)
    make_two_sheets()
    make_sheet_and_range()
    make_dbase()
    with open(os.path.join(OUT, "notxls.xls"), "w") as f:
        f.write("BeginFU;EndFU;Status\n")
    with open(os.path.join(OUT, "notmdb.mdb"), "w") as f:
        f.write("BeginFU;EndFU;Status\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
