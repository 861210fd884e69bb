# Reference values for the product-limit estimate of weighted cases (case
# weights as Brenner's age-standardisation gives them), computed with R's
# survival package (Debian r-base-core, r-cran-survival).
#
#   Rscript tests/reference/weighted-product-limit.R > tests/data/brenner/weighted-product-limit.txt
#
# run from the top of the source tree.  Two generated examples (fixed seed):
# "cohort", every case at risk from day 0, and "late", some cases entering
# later.  A case is at risk on the days first .. last and dies on its last day
# when died is 1, so that R sees it as Surv(first - 1, last, died).  Lines:
#   case;set;first;last;died;weight
#   curve;set;day;survival;standard error
# the standard error being survfit's for non-integer case weights (the
# infinitesimal jackknife), both with 17 significant digits.
library(survival)
set.seed(20261209)
weights <- c(0.35, 0.8, 1.4, 2.9, 0.6)
for (set in c("cohort", "late")) {
  n <- 300
  last <- ifelse(runif(n) < 0.3, 10 * sample(0:60, n, TRUE), sample(0:1500, n, TRUE))
  first <- if (set == "late") ifelse(runif(n) < 0.4, pmin(last, sample(0:400, n, TRUE)), 0) else rep(0, n)
  died <- as.integer(runif(n) < 0.55)
  w <- sample(weights, n, TRUE)
  for (i in seq_len(n)) cat(sprintf("case;%s;%d;%d;%d;%.17g\n", set, first[i], last[i], died[i], w[i]))
  fit <- survfit(Surv(first - 1, last, died) ~ 1, weights = w)
  for (k in seq_along(fit$time))
    cat(sprintf("curve;%s;%d;%.17g;%.17g\n", set, fit$time[k], fit$surv[k], fit$std.err[k]))
}

# data/examples/rdata.txt (begin;end;status;group;sex;birth, status 1 the
# event) with Brenner's weights of ICSS 1: the weight of a case of age group k
# (completed years at the begin: 15-44, 45-54, 55-64, 65-74, 75+) is
# W_k / (n_k / n).  Lines rdata;year;day;survival;standard error at the last
# day of follow-up years 1 .. 10 (the day floor(365.25 year), less one when
# that day already belongs to the next year).
r <- read.table("data/examples/rdata.txt", sep = ";", colClasses = "character")
begin <- as.Date(r$V1, "%d.%m.%Y"); end <- as.Date(r$V2, "%d.%m.%Y"); birth <- as.Date(r$V6, "%d.%m.%Y")
age <- as.integer(format(begin, "%Y")) - as.integer(format(birth, "%Y")) -
  (format(begin, "%m%d") < format(birth, "%m%d"))
group <- findInterval(age, c(15, 45, 55, 65, 75))
icss1 <- c(0.07, 0.12, 0.23, 0.29, 0.29)
n <- table(factor(group, levels = 1:5))
w <- icss1[group] * length(group) / as.numeric(n[group])
fit <- survfit(Surv(as.numeric(end - begin), r$V3 == "1") ~ 1, weights = w)
for (year in 1:10) {
  day <- floor(365.25 * year)
  if (floor(day / 365.25) >= year) day <- day - 1
  s <- summary(fit, times = day)
  cat(sprintf("rdata;%d;%d;%.17g;%.17g\n", year, day, s$surv, s$std.err))
}
