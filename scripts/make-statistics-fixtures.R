#!/usr/bin/Rscript
# Writes the Stata, SAS and SPSS files the import tests read
# (tests/data/statistics).  Needs r-cran-haven.  The generated files are
# kept in the repository, so the tests do not run this script; run it again
# (from any folder) only to change them.  The SPSS portable file is made
# from a .sav by the readstat converter (Debian readstat), which needs names
# of at most 8 letters and writes dates as plain numbers: the script then
# gives the date fields the format DATE11 that SPSS gives dates.
#
# cases.*   the first 500 cases of data/examples/rdata.txt with named fields:
#           dates as dates, the age group as a text, the status and the sex
#           as numbers, the sex with value labels.
# cases.por the same cases with names in capitals of at most 8 letters.
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

portable <- cases
names(portable) <- c("DIAGDATE", "LASTSEEN", "STATUS", "AGEGROUP", "SEX", "BIRTH")
source_sav <- tempfile(fileext = ".sav")
por <- file.path(out, "cases.por")
write_sav(portable, source_sav)
unlink(por)
stopifnot(system2("readstat", c(source_sav, por), stdout = FALSE) == 0)
# A variable's record is its name, then its print and write formats as
# "type/width/decimals/" in base 30; F8.2 (5/8/2) becomes DATE11 (K/B/0).
bytes <- readBin(por, "raw", file.info(por)$size)
for (name in c("DIAGDATE", "LASTSEEN", "BIRTH")) {
  at <- grepRaw(name, bytes, fixed = TRUE) + nchar(name)
  places <- integer(0)
  while (length(places) < 12) {
    if (!(bytes[at] %in% charToRaw("\r\n"))) places <- c(places, at)
    at <- at + 1
  }
  stopifnot(rawToChar(bytes[places]) == "5/8/2/5/8/2/")
  bytes[places] <- charToRaw("K/B/0/K/B/0/")
}
writeBin(bytes, por)

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
