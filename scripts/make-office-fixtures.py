#!/usr/bin/python3
"""Writes the .xlsx and .ods workbooks the workbook tests read (tests/data/workbooks).

Needs python3-openpyxl and LibreOffice (libreoffice-calc-nogui).  The files
are kept in the repository, so the tests do not run this script; run it
again only to change the fixtures.

Every workbook holds the first 500 cases of data/examples/rdata.txt under a
row of field names, with an empty row after case 251:
  cases.xlsx         openpyxl, dates as date cells (DD.MM.YYYY), a second sheet
  cases-1904.xlsx    openpyxl, the 1904 date system, a built-in date format
  cases-libre.xlsx   cases.ods saved again by LibreOffice as .xlsx
  cases.ods          cases.xlsx saved by LibreOffice as a spreadsheet
"""
import datetime
import os
import shutil
import subprocess
import sys
import tempfile

import openpyxl
from openpyxl.utils.datetime import CALENDAR_MAC_1904

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..")
OUT = os.path.join(ROOT, "tests", "data", "workbooks")
FIELDS = ["diagnosis_date", "last_contact", "vital_status", "age_group", "sex", "birth_date"]
EMPTY_ROW_AFTER = 251


def read_cases(count=500):
    cases = []
    with open(os.path.join(ROOT, "data", "examples", "rdata.txt")) as f:
        for line in f:
            if len(cases) == count:
                break
            begin, end, status, group, sex, birth = line.rstrip("\n").split(";")
            date = lambda text: datetime.datetime.strptime(text, "%d.%m.%Y").date()
            cases.append([date(begin), date(end), int(status), group, int(sex), date(birth)])
    return cases


def write_workbook(path, cases, date_format, epoch=None, second_sheet=False):
    book = openpyxl.Workbook()
    if epoch is not None:
        book.epoch = epoch
    sheet = book.active
    sheet.title = "Cases"
    sheet.append(FIELDS)
    row = 2
    for number, case in enumerate(cases, start=1):
        for column, value in enumerate(case, start=1):
            cell = sheet.cell(row=row, column=column, value=value)
            if isinstance(value, datetime.date):
                cell.number_format = date_format
        row += 2 if number == EMPTY_ROW_AFTER else 1
    if second_sheet:
        notes = book.create_sheet("Notes")
        notes.append(["source", "cases"])
        notes.append(["data/examples/rdata.txt", len(cases)])
    book.save(path)


def libreoffice_convert(source, target_kind, target):
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(["soffice", "-env:UserInstallation=file://" + work + "/profile", "--headless",
                        "--convert-to", target_kind, "--outdir", work, source],
                       check=True, stdout=subprocess.DEVNULL)
        made = os.path.join(work, os.path.splitext(os.path.basename(source))[0] + "." + target_kind.split(":")[0])
        shutil.copyfile(made, target)


def main():
    os.makedirs(OUT, exist_ok=True)
    cases = read_cases()
    xlsx = os.path.join(OUT, "cases.xlsx")
    write_workbook(xlsx, cases, "DD.MM.YYYY", second_sheet=True)
    write_workbook(os.path.join(OUT, "cases-1904.xlsx"), cases, "mm-dd-yy", epoch=CALENDAR_MAC_1904)
    libreoffice_convert(xlsx, "ods", os.path.join(OUT, "cases.ods"))
    libreoffice_convert(os.path.join(OUT, "cases.ods"), 'xlsx:Calc MS Excel 2007 XML', os.path.join(OUT, "cases-libre.xlsx"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
