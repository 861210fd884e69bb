# Reference values for the cumulative incidence with competing risks and
# Gray's test, computed with R's cmprsk package (Debian r-base-core,
# r-cran-cmprsk).
#
#   Rscript tests/reference/cumulative-incidence.R
#
# run from the top of the source tree.  It writes two case files and the
# values of each:
#   tests/data/cuminc/rdata3.txt  the example data/examples/rdata.txt with a
#       third status code: a case censored ("0") becomes "2" (dead of other
#       causes) on every third line
#   tests/data/cuminc/ties.txt    generated cases with heavy ties: follow-up
#       in whole months, status 0 (censored), 1, 2 and 3, three groups of
#       which "C" has no event "2"
#   tests/data/cuminc/reference.txt
# The files are read as kalderon-batch reads them with --group 4: fields
# begin;end;status;group, dates DD.MM.YYYY, observation times in whole days.
# Lines of reference.txt:
#   curve FILE GROUP CAUSE DAY ESTIMATE VARIANCE   at each day with events of the cause
#   test FILE CAUSE STATISTIC DF P                 Gray's test (p from pchisq upper tail)
suppressPackageStartupMessages(library(cmprsk))

num <- function(x) format(x, digits = 17, trim = TRUE)

readCases <- function(path) {
    raw <- read.table(path, sep = ";", colClasses = "character", quote = "", comment.char = "")
    begin <- as.Date(raw$V1, "%d.%m.%Y")
    end <- as.Date(raw$V2, "%d.%m.%Y")
    days <- as.numeric(end - begin)
    valid <- !is.na(days) & days >= 0
    data.frame(days = days[valid], status = raw$V3[valid], group = raw$V4[valid], stringsAsFactors = FALSE)
}

writeReference <- function(name, cases, out) {
    fit <- cuminc(cases$days, cases$status, cases$group, cencode = "0")
    for (curve in names(fit)[names(fit) != "Tests"]) {
        parts <- strsplit(curve, " ", fixed = TRUE)[[1]]
        group <- paste(parts[-length(parts)], collapse = " ")
        cause <- parts[length(parts)]
        x <- fit[[curve]]
        n <- length(x$time)
        if (n < 3) next
        at <- seq(3, n - 1, by = 2)
        for (i in at)
            cat("curve", name, group, cause, num(x$time[i]), num(x$est[i]), num(x$var[i]), "\n", file = out)
    }
    tests <- fit$Tests
    for (cause in rownames(tests))
        cat("test", name, cause, num(tests[cause, "stat"]), tests[cause, "df"],
            num(pchisq(tests[cause, "stat"], tests[cause, "df"], lower.tail = FALSE)), "\n", file = out)
}

rdata <- read.table("data/examples/rdata.txt", sep = ";", colClasses = "character", quote = "", comment.char = "")
third <- seq_len(nrow(rdata)) %% 3 == 0 & rdata$V3 == "0"
rdata$V3[third] <- "2"
write.table(rdata, "tests/data/cuminc/rdata3.txt", sep = ";", quote = FALSE, row.names = FALSE, col.names = FALSE)

set.seed(34)
n <- 600
group <- sample(c("A", "B", "C"), n, replace = TRUE)
months <- sample(0:40, n, replace = TRUE)
status <- sample(c("0", "1", "2", "3"), n, replace = TRUE, prob = c(0.3, 0.3, 0.25, 0.15))
status[group == "C" & status == "2"] <- "1"
begin <- as.Date("2000-01-01") + sample(0:30, n, replace = TRUE)
end <- begin + round(months * 30.4375)
write.table(data.frame(format(begin, "%d.%m.%Y"), format(end, "%d.%m.%Y"), status, group),
            "tests/data/cuminc/ties.txt", sep = ";", quote = FALSE, row.names = FALSE, col.names = FALSE)

out <- file("tests/data/cuminc/reference.txt", "w")
writeReference("rdata3.txt", readCases("tests/data/cuminc/rdata3.txt"), out)
writeReference("ties.txt", readCases("tests/data/cuminc/ties.txt"), out)
close(out)
