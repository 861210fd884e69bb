# Reference values of net survival (Pohar-Perme) on the shipped examples,
# computed with R's relsurv (Debian r-base-core, r-cran-relsurv):
#
#   Rscript tests/reference/net-survival.R > tests/data/netsurv/reference.txt
#
# run from the top of the source tree.  Lines: example, age group ("all" or
# the first age of the group), years, net survival at the end of day
# floor(365.25 * years).
#
# relsurv is given exactly the population hazards the program uses: every
# case's hazard on every day of follow-up, tabulated in a rate table of case
# by day.  On day s (from s - 1 to s days after the begin date) a case has the
# hazard -ln(1 - q) / 365.25 of data/lifetables_slo.csv (the table "Slovenia
# 1930-2020" of LifeTables.mdb) for its sex, the calendar year and its age in
# completed years (by the birthday) on the date begin + s - 1; the table of
# the nearest tabulated year (ties to the later one, years outside the range
# to the first or last), ages beyond the last row take the last row.  A rate
# table by age, sex and year would step the age every 365.25 days instead of
# on the birthday, and its "US" year type moves the change of calendar year
# to the birthday.
#
# rs.surv is asked for S = exp(-cumulative hazard) (type "fleming-harrington";
# its default multiplies 1 - each step), and every day up to ten years is one
# of its time points (add.times): relsurv adds the expected hazard of an
# interval at the interval's closing time, so a curve with points only at
# deaths and censorings would leave out the expected hazard from the last of
# them to the day read off.  Follow-up is cut after ten years, which changes
# nothing before; a follow-up of 0 days (a death on the day of diagnosis)
# counts as half a day.
suppressPackageStartupMessages(library(relsurv))

table <- read.csv("data/lifetables_slo.csv")
tabulated <- sort(unique(table$Year))
ages <- sort(unique(table$Age))
male <- female <- matrix(0, length(ages), length(tabulated))
for (k in seq_along(tabulated)) {
    rows <- table[table$Year == tabulated[k], ]
    rows <- rows[order(rows$Age), ]
    male[, k] <- rows$Male
    female[, k] <- rows$Female
}
nearestTable <- function(years) {
    sapply(pmin(pmax(years, min(tabulated)), max(tabulated)), function(y) {
        d <- abs(tabulated - y)
        max(which(d == min(d)))
    })
}
completedAge <- function(birth, at) {
    as.numeric(format(at, "%Y")) - as.numeric(format(birth, "%Y")) - (format(at, "%m%d") < format(birth, "%m%d"))
}
# The hazards of days 1 .. days of one case.
dailyHazards <- function(begin, birth, isMale, days) {
    if (days < 1) return(numeric(0))
    dates <- begin + 0:(days - 1)
    row <- pmin(completedAge(birth, dates), max(ages)) + 1
    column <- nearestTable(as.numeric(format(dates, "%Y")))
    q <- (if (isMale) male else female)[cbind(row, column)]
    -log(1 - q) / 365.25
}

readExample <- function(name) {
    raw <- read.table(file.path("data/examples", name), sep = ";", colClasses = "character",
                      quote = "", comment.char = "")
    begin <- as.Date(raw$V1, "%d.%m.%Y")
    end <- as.Date(raw$V2, "%d.%m.%Y")
    birth <- as.Date(raw$V6, "%d.%m.%Y")
    data.frame(days = as.numeric(end - begin), status = as.numeric(raw$V3 == "1"), male = raw$V5 == "1",
               begin = begin, birth = birth, completed = completedAge(birth, begin))
}

readOff <- floor((1:10) * 365.25)
horizon <- max(readOff) + 1

netSurvival <- function(cases) {
    n <- nrow(cases)
    days <- pmin(cases$days, horizon)
    hazard <- matrix(0, n, horizon, dimnames = list(id = 1:n, day = 0:(horizon - 1)))
    for (i in seq_len(n))
        if (days[i] > 0) hazard[i, 1:days[i]] <- dailyHazards(cases$begin[i], cases$birth[i], cases$male[i], days[i])
    attributes(hazard)$dimid <- c("id", "day")
    attributes(hazard)$type <- c(1, 2)
    attributes(hazard)$cutpoints <- list(NULL, 0:(horizon - 1))
    class(hazard) <- "ratetable"
    followUp <- data.frame(time = ifelse(days == 0, 0.5, days),
                           status = ifelse(cases$days > horizon, 0, cases$status), id = 1:n, day = 0)
    fit <- rs.surv(Surv(time, status) ~ 1, data = followUp, ratetable = hazard, method = "pohar-perme",
                   type = "fleming-harrington", rmap = list(id = id, day = day), add.times = 1:horizon)
    summary(fit, times = readOff, extend = TRUE)$surv
}

ageGroups <- c(15, 45, 55, 65, 75)
for (example in c("rdata", "colrec")) {
    cases <- readExample(paste0(example, ".txt"))
    groups <- findInterval(cases$completed, ageGroups)
    for (g in c(-1, 1:5)) {
        subset <- if (g < 0) cases else cases[groups == g, ]
        if (nrow(subset) == 0) next
        surv <- netSurvival(subset)
        for (k in seq_along(readOff))
            cat(example, if (g < 0) "all" else ageGroups[g], k, format(surv[k], digits = 10), "\n")
    }
}
