# Reference values for the comparison of groups on the shipped examples,
# computed with R's survival package (Debian r-base-core, r-cran-survival).
#
#   Rscript tests/reference/compare-groups.R > tests/data/compare/reference.txt
#
# run from the top of the source tree.  Every example is read as
# kalderon-batch reads it with --group 4: fields begin;end;status;group,
# dates DD.MM.YYYY, status "1" the event, a case valid when both dates read
# and the end is not before the begin; observation times in whole days.
# The confidence band of the product-limit curves is the plain one with
# z = 1.95996 (level .95) and no limits where the curve is 0.
suppressPackageStartupMessages(library(survival))

z <- 1.95996
num <- function(x) ifelse(is.na(x), "NA", format(x, digits = 17, trim = TRUE))

readExample <- function(name) {
    raw <- read.table(file.path("data/examples", name), sep = ";", colClasses = "character",
                      quote = "", comment.char = "")
    begin <- as.Date(raw$V1, "%d.%m.%Y")
    end <- as.Date(raw$V2, "%d.%m.%Y")
    days <- as.numeric(end - begin)
    valid <- !is.na(days) & days >= 0
    data.frame(days = days[valid], event = as.numeric(raw$V3[valid] == "1"), group = raw$V4[valid],
               stringsAsFactors = FALSE)
}

writeTest <- function(example, cases, test, rho) {
    fit <- survdiff(Surv(days, event) ~ group, data = cases, rho = rho)
    groups <- sub("^group=", "", names(fit$n))
    df <- sum(fit$exp > 0) - 1
    cat("test", example, test, "chisq", num(fit$chisq), "df", df, "p",
        num(pchisq(fit$chisq, df, lower.tail = FALSE)), "\n")
    for (i in seq_along(groups))
        cat("group", example, test, groups[i], "n", fit$n[[i]], "observed", num(fit$obs[i]),
            "expected", num(fit$exp[i]), "\n")
}

writeQuartiles <- function(example, cases) {
    fit <- survfit(Surv(days, event) ~ group, data = cases, conf.type = "plain")
    band <- ifelse(fit$surv > 0, z * fit$std.err * fit$surv, NA)
    fit$lower <- pmax(fit$surv - band, 0)
    fit$upper <- pmin(fit$surv + band, 1)
    q <- quantile(fit, probs = c(0.25, 0.5, 0.75))
    groups <- sub("^group=", "", rownames(q$quantile))
    for (i in seq_along(groups))
        for (j in 1:3)
            cat("quartile", example, groups[i], c(25, 50, 75)[j], "time", num(q$quantile[i, j]),
                "lower", num(q$lower[i, j]), "upper", num(q$upper[i, j]), "\n")
}

for (example in c("tiny", "rdata", "colrec")) {
    cases <- readExample(paste0(example, ".txt"))
    writeTest(example, cases, "logrank", 0)
    writeTest(example, cases, "petopeto", 1)
    writeQuartiles(example, cases)
}

# Upper tail of the chi-square distribution far out, down to 1e-300.
for (args in list(c(1, 3.5), c(3, 40), c(4, 1300), c(9, 1350), c(17, 1000), c(40, 1200), c(120, 1500)))
    cat("chisquare", args[1], num(args[2]), "p", num(pchisq(args[2], args[1], lower.tail = FALSE)),
        "\n")
