# Reference values of the Cox proportional hazards model, computed with R's
# survival package (Debian r-base-core, r-cran-survival): coxph, cox.zph
# and survfit of a coxph.
#
#   Rscript tests/reference/cox-regression.R
#
# run from the top of the source tree.  It writes tests/data/cox/ties.txt,
# generated cases with a header line (begin;end;status;birth;center;stage;
# grade;marker;marker2): follow-up in whole months (heavy ties), status 0,
# 1 and 2 (the event is 1), a factor "stage" whose level "IV" is rare,
# strata "center" and a collinear pair (marker2 = 2 marker + 1); and
# tests/data/cox/reference.txt with the values of these models:
#   rdata-efron, rdata-breslow  data/examples/rdata.txt (begin;end;status;
#       group;sex;birth, no header: the fields are F1 to F6), covariates age,
#       F5 (sex, a factor) and F4 (group), curves by F4
#   ties-efron, ties-breslow    ties.txt, covariates stage, grade, marker,
#       marker2 and age, strata center, curves by stage
#   ties-reference              ties.txt, covariates stage (reference II) and
#       grade, no strata, Efron
#   rdata-values                as rdata-efron, the curves at age 60 and
#       F5 = 2 instead of their means
# Columns are named as the program names them ("F5=2", "stage=IV"); a
# factor's levels stand in the program's order, the first the reference.
# Lines of reference.txt:
#   MODEL coef COLUMN COEF SE            (NA NA for a collinear column)
#   MODEL loglik NULL FINAL
#   MODEL test lr|wald|score CHISQ DF P
#   MODEL concordance C SE
#   MODEL count CASES EVENTS ITERATIONS
#   MODEL zph TERM|GLOBAL CHISQ DF P
#   MODEL curve NAME DAY SURVIVAL SE LOWER UPPER
#       at each day with events of the curve's stratum: survfit's standard
#       error of the cumulative hazard and its .95 limits (log transform)
suppressPackageStartupMessages(library(survival))

num <- function(x) ifelse(is.na(x), "NA", format(x, digits = 17, trim = TRUE))
out <- file("tests/data/cox/reference.txt", "w")
put <- function(...) writeLines(paste(...), out)

set.seed(35)
n <- 600
day0 <- as.Date("1990-01-01")
begin <- day0 + sample(0:3650, n, replace = TRUE)
birth <- begin - sample(30:85, n, replace = TRUE) * 365 - sample(0:364, n, replace = TRUE)
stage <- sample(c("I", "II", "III"), n, replace = TRUE, prob = c(.4, .35, .25))
stage[sample(n, 9)] <- "IV"
grade <- sample(1:3, n, replace = TRUE)
marker <- round(rnorm(n), 2)
center <- sample(c("A", "B", "C"), n, replace = TRUE)
rate <- exp(0.4 * (stage == "II") + 0.8 * (stage == "III") + 1.2 * (stage == "IV") + 0.2 * grade + 0.3 * marker)
months <- pmin(ceiling(rexp(n, rate / 30)), 60)
status <- ifelse(months >= 60, "0", sample(c("1", "1", "1", "0", "2"), n, replace = TRUE))
end <- begin + 30 * months
fmt <- function(d) format(d, "%d.%m.%Y")
writeLines(c("begin;end;status;birth;center;stage;grade;marker;marker2",
             paste(fmt(begin), fmt(end), status, fmt(birth), center, stage, grade,
                   sprintf("%.2f", marker), sprintf("%.2f", 2 * marker + 1), sep = ";")),
           "tests/data/cox/ties.txt")

ageAt <- function(birth, at) {
    yb <- as.integer(format(birth, "%Y")); ya <- as.integer(format(at, "%Y"))
    mdb <- as.integer(format(birth, "%m")) * 32 + as.integer(format(birth, "%d"))
    mda <- as.integer(format(at, "%m")) * 32 + as.integer(format(at, "%d"))
    ya - yb - ifelse(mda >= mdb, 0, 1)
}

readCases <- function(path, header, names) {
    raw <- read.table(path, sep = ";", header = header, colClasses = "character", quote = "", comment.char = "")
    if (!header) names(raw) <- names
    raw$time <- as.numeric(as.Date(raw$end, "%d.%m.%Y") - as.Date(raw$begin, "%d.%m.%Y"))
    raw$event <- as.integer(raw$status == "1")
    raw$age <- ageAt(as.Date(raw$birth, "%d.%m.%Y"), as.Date(raw$begin, "%d.%m.%Y"))
    raw
}

# The design as the program builds it: numbers as they are, a factor as an
# indicator column per level but the reference, named FIELD=LEVEL.
design <- function(d, covariates, levels) {
    cols <- list()
    for (v in covariates) {
        if (is.null(levels[[v]])) cols[[v]] <- as.numeric(d[[v]])
        else for (l in levels[[v]][-1]) cols[[paste0(v, "=", l)]] <- as.numeric(d[[v]] == l)
    }
    as.data.frame(cols, check.names = FALSE)
}

model <- function(name, d, covariates, levels, ties, strata = NULL, curvesBy = NULL, values = list()) {
    f <- d
    for (v in names(levels)) f[[v]] <- factor(d[[v]], levels = levels[[v]])
    for (v in covariates) if (is.null(levels[[v]])) f[[v]] <- as.numeric(d[[v]])
    rhs <- paste(covariates, collapse = " + ")
    if (!is.null(strata)) rhs <- paste0(rhs, " + strata(", strata, ")")
    fit <- coxph(as.formula(paste("Surv(time, event) ~", rhs)), data = f, ties = ties)
    x <- design(d, covariates, levels)
    cf <- coef(fit); se <- sqrt(diag(vcov(fit)))
    se[is.na(cf)] <- NA
    for (j in seq_along(cf)) put(name, "coef", names(x)[j], num(cf[j]), num(se[j]))
    put(name, "loglik", num(fit$loglik[1]), num(fit$loglik[2]))
    df <- sum(!is.na(cf))
    put(name, "test lr", num(2 * diff(fit$loglik)), df, num(pchisq(2 * diff(fit$loglik), df, lower.tail = FALSE)))
    put(name, "test wald", num(fit$wald.test), df, num(pchisq(fit$wald.test, df, lower.tail = FALSE)))
    put(name, "test score", num(fit$score), df, num(pchisq(fit$score, df, lower.tail = FALSE)))
    put(name, "concordance", num(fit$concordance["concordance"]), num(fit$concordance["std"]))
    put(name, "count", fit$n, fit$nevent, fit$iter)
    z <- cox.zph(fit)
    for (i in seq_len(nrow(z$table)))
        put(name, "zph", rownames(z$table)[i], num(z$table[i, 1]), z$table[i, 2], num(z$table[i, 3]))

    # The curves: the same model in indicator columns, the columns at their
    # means but those of the curves' factor.
    xd <- cbind(x, time = d$time, event = d$event)
    if (!is.null(strata)) xd$stratum <- d[[strata]]
    keep <- !is.na(cf)
    cols <- names(x)[keep]
    xnames <- paste0("`", cols, "`", collapse = " + ")
    srhs <- if (is.null(strata)) xnames else paste0(xnames, " + strata(stratum)")
    fit2 <- coxph(as.formula(paste("Surv(time, event) ~", srhs)), data = xd, ties = ties)
    means <- colMeans(x[, keep, drop = FALSE])
    lv <- levels[[curvesBy]]
    nd <- as.data.frame(matrix(rep(means, each = length(lv)), nrow = length(lv)), optional = TRUE)
    names(nd) <- cols
    for (v in names(values)) {
        if (is.null(levels[[v]])) nd[[v]] <- values[[v]]
        else for (l in levels[[v]][-1]) nd[[paste0(v, "=", l)]] <- as.numeric(values[[v]] == l)
    }
    for (l in lv[-1]) nd[[paste0(curvesBy, "=", l)]] <- as.numeric(lv == l)
    sf <- survfit(fit2, newdata = nd)
    strataNames <- if (is.null(strata)) "" else sort(unique(d[[strata]]))
    for (s in seq_along(strataNames)) {
        part <- if (is.null(strata)) sf else sf[s, ]
        at <- part$n.event > 0
        for (k in seq_along(lv)) {
            curve <- paste0(curvesBy, "=", lv[k])
            if (!is.null(strata)) curve <- paste(strataNames[s], "/", curve)
            surv <- as.matrix(part$surv)[at, k]
            se <- as.matrix(part$std.err)[at, k]
            lower <- as.matrix(part$lower)[at, k]
            upper <- as.matrix(part$upper)[at, k]
            for (i in seq_along(surv))
                put(name, "curve", gsub(" ", "_", curve), part$time[at][i], num(surv[i]), num(se[i]),
                    num(lower[i]), num(upper[i]))
        }
    }
}

rdata <- readCases("data/examples/rdata.txt", FALSE, c("begin", "end", "status", "F4", "F5", "birth"))
rlevels <- list(F5 = c("1", "2"), F4 = c("54-61", "62-70", "71-95", "<54"))
model("rdata-efron", rdata, c("age", "F5", "F4"), rlevels, "efron", curvesBy = "F4")
model("rdata-values", rdata, c("age", "F5", "F4"), rlevels, "efron", curvesBy = "F4",
      values = list(age = 60, F5 = "2"))
model("rdata-breslow", rdata, c("age", "F5", "F4"), rlevels, "breslow", curvesBy = "F4")

ties <- readCases("tests/data/cox/ties.txt", TRUE)
tlevels <- list(stage = c("I", "II", "III", "IV"))
tcov <- c("stage", "grade", "marker", "marker2", "age")
model("ties-efron", ties, tcov, tlevels, "efron", strata = "center", curvesBy = "stage")
model("ties-breslow", ties, tcov, tlevels, "breslow", strata = "center", curvesBy = "stage")
model("ties-reference", ties, c("stage", "grade"), list(stage = c("II", "I", "III", "IV")), "efron", curvesBy = "stage")
close(out)
