# Rscript bench/case-file-timing.R FILE RUNS survfit|cuminc
# Reads the generated case file (begin;end;status;group;sex;birth, dates
# DD.MM.YYYY) with fread and estimates, for each group, the product-limit
# curve with survfit (status "1" the event) or the cumulative incidence of
# each cause with Gray's tests with cmprsk's cuminc (status "0" censored);
# prints the best elapsed seconds of RUNS such runs.
suppressPackageStartupMessages({
  library(data.table)
  library(survival)
  library(cmprsk)
})
args <- commandArgs(trailingOnly = TRUE)
file <- args[1]
runs <- as.integer(args[2])
method <- args[3]
best <- Inf
for (run in seq_len(runs)) {
  started <- proc.time()[["elapsed"]]
  cases <- fread(file, sep = ";", header = FALSE, colClasses = "character",
                 col.names = c("begin", "end", "status", "group", "sex", "birth"))
  days <- as.numeric(as.IDate(cases$end, format = "%d.%m.%Y") - as.IDate(cases$begin, format = "%d.%m.%Y"))
  if (method == "cuminc") {
    fit <- cuminc(days, cases$status, cases$group, cencode = "0")
  } else {
    fit <- survfit(Surv(days, as.integer(cases$status == "1")) ~ cases$group, conf.type = "plain")
  }
  best <- min(best, proc.time()[["elapsed"]] - started)
  rm(cases, days, fit)
}
cat(sprintf("%.2f\n", best))
