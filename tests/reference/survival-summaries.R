# Reference values for the survival at chosen times, the conditional survival
# and the restricted mean survival time, computed with R's survival package
# (Debian r-base-core, r-cran-survival).
#
#   Rscript tests/reference/survival-summaries.R > tests/data/summaries/reference.txt
#
# run from the top of the source tree.  It also writes the generated example
# tests/data/summaries/ties.txt (fixed seed), whose observation times pile up
# on the days of 1, 2, 3 and 5 years and the days around them.  Every example
# is read as kalderon-batch reads it with --group 4: fields
# begin;end;status;group, dates DD.MM.YYYY, status "1" the event, a case valid
# when both dates read and the end is not before the begin; observation times
# in whole days.  A unit is 365.25 days (year) or 1 day (day).
#
# Every line is a key (kind/example/unit/group/time) and pairs of name and
# value:
#   at/...         summary(survfit, times = T): survival, its standard
#                  error and the number at risk; a time after the group's
#                  last observation has no line
#   conditional/.../X+T  the product-limit of the cases followed up beyond X,
#                  entering at X (left-truncated), read at X + T
#   rmst/.../TAU   the restricted mean up to TAU and its standard error, as
#                  print(survfit, rmean = TAU) gives them
#   contrast/.../TAU  a group against the first: difference and ratio of the
#                  restricted means with their limits and p-values, from the
#                  two means and standard errors as survRM2 combines them
suppressPackageStartupMessages(library(survival))

z <- 1.95996
num <- function(x) ifelse(is.na(x), "NA", format(x, digits = 17, trim = TRUE))

set.seed(20261209)
n <- 900
piled <- c(365, 366, 730, 731, 1095, 1096, 1826, 1827)
days <- ifelse(runif(n) < 0.4, sample(piled, n, replace = TRUE), sample(1:2500, n, replace = TRUE))
begin <- as.Date("2001-01-01") + sample(0:700, n, replace = TRUE)
ties <- data.frame(format(begin, "%d.%m.%Y"), format(begin + days, "%d.%m.%Y"),
                   as.integer(runif(n) < 0.6), sample(c("A", "B", "C"), n, replace = TRUE))
write.table(ties, "tests/data/summaries/ties.txt", sep = ";", quote = FALSE, row.names = FALSE,
            col.names = FALSE, eol = "\n")

readExample <- function(path) {
    raw <- read.table(path, sep = ";", colClasses = "character", quote = "", comment.char = "")
    begin <- as.Date(raw$V1, "%d.%m.%Y")
    end <- as.Date(raw$V2, "%d.%m.%Y")
    days <- as.numeric(end - begin)
    valid <- !is.na(days) & days >= 0
    data.frame(days = days[valid], event = as.numeric(raw$V3[valid] == "1"), group = raw$V4[valid],
               stringsAsFactors = FALSE)
}

key <- function(...) paste(..., sep = "/")

writeAt <- function(example, unit, unitDays, cases, times) {
    for (g in sort(unique(cases$group))) {
        one <- cases[cases$group == g, ]
        s <- summary(survfit(Surv(days, event) ~ 1, data = one), times = times * unitDays)
        for (i in seq_along(s$time))
            cat(key("at", example, unit, g, num(s$time[i] / unitDays)), "surv", num(s$surv[i]), "se",
                num(s$std.err[i]), "nrisk", s$n.risk[i], "\n")
    }
}

writeConditional <- function(example, unit, unitDays, cases, from, times) {
    for (g in sort(unique(cases$group))) {
        one <- cases[cases$group == g & cases$days > from * unitDays, ]
        if (nrow(one) == 0) next
        fit <- survfit(Surv(rep(from * unitDays, nrow(one)), days, event) ~ 1, data = one)
        s <- summary(fit, times = (from + times) * unitDays)
        for (i in seq_along(s$time))
            cat(key("conditional", example, unit, g, paste0(num(from), "+", num(s$time[i] / unitDays - from))),
                "surv", num(s$surv[i]), "se", num(s$std.err[i]), "nrisk", s$n.risk[i], "\n")
    }
}

writeRestrictedMean <- function(example, unit, unitDays, cases, tau) {
    groups <- sort(unique(cases$group), method = "radix")  # byte order, as the program orders groups
    if (is.na(tau)) tau <- min(sapply(groups, function(g) max(cases$days[cases$group == g]))) / unitDays
    means <- c()
    ses <- c()
    for (g in groups) {
        fit <- survfit(Surv(days, event) ~ 1, data = cases[cases$group == g, ])
        table <- summary(fit, rmean = tau * unitDays)$table
        means[g] <- table[["rmean"]] / unitDays
        ses[g] <- table[["se(rmean)"]] / unitDays
        cat(key("rmst", example, unit, g, num(tau)), "mean", num(means[g]), "se", num(ses[g]), "\n")
    }
    for (g in groups[-1]) {
        first <- groups[1]
        d <- means[g] - means[first]
        se <- sqrt(ses[g]^2 + ses[first]^2)
        r <- log(means[g] / means[first])
        rse <- sqrt((ses[g] / means[g])^2 + (ses[first] / means[first])^2)
        cat(key("contrast", example, unit, g, num(tau)), "diff", num(d), "lower", num(d - z * se), "upper",
            num(d + z * se), "p", num(2 * pnorm(-abs(d) / se)), "ratio", num(exp(r)), "rlower",
            num(exp(r - z * rse)), "rupper", num(exp(r + z * rse)), "rp", num(2 * pnorm(-abs(r) / rse)), "\n")
    }
}

examples <- list(tiny = "data/examples/tiny.txt", rdata = "data/examples/rdata.txt",
                 colrec = "data/examples/colrec.txt", ties = "tests/data/summaries/ties.txt")
for (example in names(examples)) {
    cases <- readExample(examples[[example]])
    writeAt(example, "year", 365.25, cases, c(1, 2, 3, 5, 10))
    writeAt(example, "day", 1, cases, c(365, 730, 1096, 1826))
    writeConditional(example, "year", 365.25, cases, 1, c(1, 2, 4))
    writeConditional(example, "day", 1, cases, 365, c(365, 731, 1461))
    writeRestrictedMean(example, "year", 365.25, cases, NA)
    writeRestrictedMean(example, "year", 365.25, cases, 2)
    writeRestrictedMean(example, "day", 1, cases, 730)
}
