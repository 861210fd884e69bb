#!/usr/bin/python3
"""Checks a results workbook against the semicolon-separated exports of the
same analysis: check-workbook.py WORKBOOK.xlsx EXPORT.csv [MORE.csv ...].

The sheets after the first hold the export's lines in order: the heading
row is the export's header line (a table that goes on on a further sheet
repeats it), a group's sheet "Group CODE" stands for the export's rows
starting with "CODE;".  Every number must be a number cell equal to the
export's text at the export's precision and shown with its decimals; an
"NA" must be an empty cell with a note.  Sheet names must be valid and
unique.  Prints what differs and exits with 1, or exits with 0."""

import datetime
import re
import sys

import openpyxl

FIXED = re.compile(r"^-?\d+(\.(\d+))?$")
NUMBER = re.compile(r"^[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$")
problems = []


def check_names(names):
    seen = set()
    for name in names:
        if not name or len(name) > 31 or any(c in name for c in "[]:*?/\\") or name[0] == "'" or name[-1] == "'":
            problems.append(f"invalid sheet name {name!r}")
        if name.lower() in seen:
            problems.append(f"sheet name {name!r} used twice")
        seen.add(name.lower())
    if names[0] != "Report":
        problems.append(f"the first sheet is {names[0]!r}")


def check_first_sheet(sheet):
    values = [row for row in sheet.iter_rows(values_only=True)]
    if not any(row[0] == "Created" and isinstance(row[1], datetime.datetime) for row in values if len(row) > 1):
        problems.append("the first sheet has no creation date")


def workbook_lines(book):
    """The sheets' rows as (cells, sheet name, row number) lines of the export."""
    lines = []
    previous_heading = None
    group_header_done = False
    for sheet in book.worksheets[1:]:
        rows = list(sheet.iter_rows())
        heading = [c.value for c in rows[0]] if rows else []
        continued = re.search(r" \(\d+\)$", sheet.title) and heading == previous_heading
        code = sheet.title[6:] if sheet.title.startswith("Group ") and GROUPED else None
        if code is not None:
            code = re.sub(r" \(\d+\)$", "", code) if continued else code
        for number, row in enumerate(rows):
            cells = list(row)
            if number == 0:
                if continued or (code is not None and group_header_done):
                    continue
                if code is not None:
                    group_header_done = True
                    cells = ["Group"] + cells
            elif code is not None:
                cells = [code] + cells
            lines.append((cells, sheet.title, number + 1))
        previous_heading = heading
    return lines


def cell_matches(cell, text):
    if isinstance(cell, str):
        return cell == text, cell
    value = cell.value
    if text == "NA":
        return value is None and cell.comment is not None and cell.comment.text, "NA without a note"
    if text == "":
        return value is None, value
    if isinstance(value, str) and re.match(r"^\d+$", text):
        return value == text, value  # a code
    if NUMBER.match(text):
        if not isinstance(value, (int, float)):
            return False, value
        fixed = FIXED.match(text)
        if fixed:
            decimals = len(fixed.group(2) or "")
            shown = "0" if decimals == 0 else "0." + "0" * decimals
            if cell.number_format != shown and not (decimals == 0 and cell.number_format == "General"):
                return False, f"{value} shown as {cell.number_format}"
            return f"{value:.{decimals}f}" == text, f"{value:.{decimals}f}"
        return abs(value - float(text)) <= 1e-9 * abs(float(text)), value
    return value == text, value


def main():
    global GROUPED
    book = openpyxl.load_workbook(sys.argv[1])
    check_names(book.sheetnames)
    check_first_sheet(book.worksheets[0])
    expected = []
    for path in sys.argv[2:]:
        with open(path, encoding="utf-8", newline="") as f:
            expected += [line.rstrip("\r\n") for line in f if line.strip("\r\n")]
    GROUPED = bool(expected) and expected[0].startswith("Group;")
    lines = workbook_lines(book)
    if len(lines) != len(expected):
        problems.append(f"{len(lines)} lines in the workbook, {len(expected)} in the exports")
    notes = 0
    for (cells, sheet, row), line in zip(lines, expected):
        fields = line.split(";")
        if len(cells) < len(fields) or any(not isinstance(c, str) and c.value is not None for c in cells[len(fields):]):
            problems.append(f"{sheet} row {row}: {len(cells)} cells for {line!r}")
            continue
        for column, (cell, text) in enumerate(zip(cells, fields)):
            same, seen = cell_matches(cell, text)
            notes += text == "NA"
            if not same:
                problems.append(f"{sheet} row {row} column {column + 1}: {seen!r} for {text!r} of {line!r}")
    for problem in problems[:20]:
        print(problem)
    print(f"{len(lines)} lines, {notes} NA cells checked")
    return 1 if problems else 0


GROUPED = False
if __name__ == "__main__":
    sys.exit(main())
