# Rscript bench/coxph-timing.R FILE RUNS
# Reads the generated registry export (bench/BenchMain.cpp --write-registry-csv)
# with fread and fits the Cox model of kalderon-batch's Cox job in bench/compare-r:
# age at diagnosis in completed years, sex (a factor), size_mm, bmi and stage
# (a factor), Efron's ties; prints the best elapsed seconds of RUNS runs of
# fread + coxph, and of fread + coxph + cox.zph + survfit of the four stages.
suppressPackageStartupMessages({
  library(data.table)
  library(survival)
})
args <- commandArgs(trailingOnly = TRUE)
file <- args[1]
runs <- as.integer(args[2])
best <- Inf
bestAll <- Inf
for (run in seq_len(runs)) {
  started <- proc.time()[["elapsed"]]
  cases <- fread(file, sep = ",", header = TRUE, colClasses = list(character = c("diagnosis_date", "last_contact", "birth_date")))
  begin <- as.IDate(cases$diagnosis_date)
  birth <- as.IDate(cases$birth_date)
  cases[, days := as.numeric(as.IDate(last_contact) - begin)]
  cases[, event := as.integer(vital_status == 1)]
  cases[, age := year(begin) - year(birth) - as.integer(month(begin) * 32 + mday(begin) < month(birth) * 32 + mday(birth))]
  cases[, sex := factor(sex)]
  cases[, stage := factor(stage, levels = c("I", "II", "III", "IV"))]
  fit <- coxph(Surv(days, event) ~ age + sex + size_mm + bmi + stage, data = cases, ties = "efron")
  best <- min(best, proc.time()[["elapsed"]] - started)
  zph <- cox.zph(fit)
  means <- data.frame(age = mean(cases$age), sex = factor("1", levels = levels(cases$sex)),
                      size_mm = mean(cases$size_mm), bmi = mean(cases$bmi),
                      stage = factor(c("I", "II", "III", "IV"), levels = levels(cases$stage)))
  curves <- survfit(fit, newdata = means)
  bestAll <- min(bestAll, proc.time()[["elapsed"]] - started)
  rm(cases, begin, birth, fit, zph, curves)
}
cat(sprintf("%.2f %.2f\n", best, bestAll))
