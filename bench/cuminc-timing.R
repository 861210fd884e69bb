# Rscript bench/cuminc-timing.R FILE RUNS
# Reads a case file (begin;end;status;group;sex;birth, dates DD.MM.YYYY) with
# fread and estimates the cumulative incidence of each cause in each group
# with Gray's tests by cmprsk's cuminc (status "0" censored); prints the best
# elapsed seconds of RUNS such runs.
suppressPackageStartupMessages({
  library(data.table)
  library(cmprsk)
})
args <- commandArgs(trailingOnly = TRUE)
file <- args[1]
runs <- as.integer(args[2])
best <- Inf
for (run in seq_len(runs)) {
  started <- proc.time()[["elapsed"]]
  cases <- fread(file, sep = ";", header = FALSE, colClasses = "character",
                 col.names = c("begin", "end", "status", "group", "sex", "birth"))
  days <- as.numeric(as.IDate(cases$end, format = "%d.%m.%Y") - as.IDate(cases$begin, format = "%d.%m.%Y"))
  fit <- cuminc(days, cases$status, cases$group, cencode = "0")
  best <- min(best, proc.time()[["elapsed"]] - started)
  rm(cases, days, fit)
}
cat(sprintf("%.2f\n", best))
