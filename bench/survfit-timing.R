# Rscript bench/survfit-timing.R FILE RUNS
# Reads the generated case file (begin;end;status;group;sex;birth, dates
# DD.MM.YYYY) with fread and estimates the product-limit curve of each group
# with survfit; prints the best elapsed seconds of RUNS such runs.
suppressPackageStartupMessages({
  library(data.table)
  library(survival)
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
  event <- as.integer(cases$status == "1")
  group <- cases$group
  fit <- survfit(Surv(days, event) ~ group, conf.type = "plain")
  best <- min(best, proc.time()[["elapsed"]] - started)
  rm(cases, days, event, group, fit)
}
cat(sprintf("%.2f\n", best))
