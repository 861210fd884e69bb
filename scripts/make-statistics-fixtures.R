#!/usr/bin/Rscript
# Writes the Stata, SAS and SPSS files the import tests read
# (tests/data/statistics).  Needs r-cran-haven.  The generated files are
# kept in the repository, so the tests do not run this script; run it again
# (from any folder) only to change them.  No Debian tool writes an SPSS
# portable file that the reader takes, so .por is read by the fuzz target
# only.
#
# cases.*   the first 500 cases of data/examples/rdata.txt with named fields:
#           dates as dates, the age group as a text, the status and the sex
#           as numbers, the sex with value labels.
# special.* a few cases that carry what only these files have: value labels,
#           missing values of every kind, a time stamp, a text that is not
#           ASCII.
suppressPackageStartupMessages(library(haven))

args <- commandArgs(trailingOnly = FALSE)
script <- sub("^--file=", "", args[grep("^--file=", args)])
root <- normalizePath(file.path(dirname(script), ".."))
out <- file.path(root, "tests", "data", "statistics")
dir.create(out, showWarnings = FALSE, recursive = TRUE)

lines <- readLines(file.path(root, "data", "examples", "rdata.txt"), n = 500)
fields <- do.call(rbind, strsplit(lines, ";", fixed = TRUE))
as_date <- function(x) as.Date(x, format = "%d.%m.%Y")
sex_labels <- c(male = 1, female = 2)
cases <- data.frame(
  diagnosis_date = as_date(fields[, 1]),
  last_contact = as_date(fields[, 2]),
  vital_status = as.numeric(fields[, 3]),
  age_group = fields[, 4],
  sex = labelled(as.numeric(fields[, 5]), sex_labels),
  birth_date = as_date(fields[, 6]),
  stringsAsFactors = FALSE
)
write_dta(cases, file.path(out, "cases.dta"))
write_sav(cases, file.path(out, "cases.sav"))
write_sav(cases, file.path(out, "cases.zsav"), compress = "zsav")
write_xpt(cases, file.path(out, "cases.xpt"), version = 8)
suppressWarnings(write_sas(cases, file.path(out, "cases.sas7bdat")))

stage_labels <- c("stage I" = 1, "stage II" = 2, "stage III" = 3, "unknown" = 9)
when <- as.POSIXct(c("2001-02-03 12:00:00", NA, "1999-12-31 06:00:00", "2020-02-29 00:00:00"), tz = "UTC")
note <- c("Gr\u00fcn", "", "ok", "\u00e9t\u00e9")
begin <- as.Date(c("2001-02-03", NA, "1960-01-01", "2020-02-29"))
write_dta(data.frame(
  begin = begin,
  seen = when,
  stage = labelled(c(2, tagged_na("a"), 9, NA), c(stage_labels, refused = tagged_na("a"))),
  note = note,
  stringsAsFactors = FALSE
), file.path(out, "special.dta"))
write_sav(data.frame(
  begin = begin,
  seen = when,
  stage = labelled_spss(c(2, 9, 1, NA), stage_labels, na_values = 9),
  note = note,
  stringsAsFactors = FALSE
), file.path(out, "special.sav"))
