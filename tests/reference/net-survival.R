# Reference values of net survival (Pohar-Perme) on the shipped examples,
# computed with R's relsurv (Debian r-base-core, r-cran-relsurv):
#
#   Rscript tests/reference/net-survival.R > tests/data/netsurv/reference.txt
#
# run from the top of the source tree.  The population hazards are those of
# data/lifetables_slo.csv (the table "Slovenia 1930-2020" of LifeTables.mdb)
# as the program uses them: -ln(1 - q) / 365.25 per day, for every calendar
# year the table of the nearest tabulated year (ties to the later one), ages
# in whole years up to the last row.  Lines: example, age group ("all" or the
# first age of the group), years, net survival.
suppressPackageStartupMessages(library(relsurv))

table <- read.csv("data/lifetables_slo.csv")
tabulated <- sort(unique(table$Year))
years <- min(tabulated):max(tabulated)
nearest <- sapply(years, function(y) {
    d <- abs(tabulated - y)
    max(tabulated[d == min(d)])
})
ages <- sort(unique(table$Age))
hazard <- array(0, dim = c(length(ages), 2, length(years)),
                dimnames = list(age = ages, sex = c("male", "female"), year = years))
for (k in seq_along(years)) {
    rows <- table[table$Year == nearest[k], ]
    rows <- rows[order(rows$Age), ]
    hazard[, 1, k] <- -log(1 - rows$Male) / 365.25
    hazard[, 2, k] <- -log(1 - rows$Female) / 365.25
}
attributes(hazard)$dimid <- c("age", "sex", "year")
attributes(hazard)$type <- c(2, 1, 4)
attributes(hazard)$cutpoints <- list(ages * 365.25, NULL, as.Date(paste0(years, "-01-01")))
class(hazard) <- "ratetable"

readExample <- function(name) {
    raw <- read.table(file.path("data/examples", name), sep = ";", colClasses = "character",
                      quote = "", comment.char = "")
    begin <- as.Date(raw$V1, "%d.%m.%Y")
    end <- as.Date(raw$V2, "%d.%m.%Y")
    birth <- as.Date(raw$V6, "%d.%m.%Y")
    completed <- as.numeric(format(begin, "%Y")) - as.numeric(format(birth, "%Y")) -
        (format(begin, "%m%d") < format(birth, "%m%d"))
    data.frame(time = as.numeric(end - begin), status = as.numeric(raw$V3 == "1"),
               sex = factor(ifelse(raw$V5 == "1", "male", "female"), levels = c("male", "female")),
               age = as.numeric(begin - birth), year = begin, completed = completed)
}

ageGroups <- c(15, 45, 55, 65, 75)
for (example in c("rdata", "colrec")) {
    cases <- readExample(paste0(example, ".txt"))
    # Follow-up of 0 days (a death on the day of diagnosis) as half a day.
    cases$time[cases$time == 0] <- 0.5
    groups <- findInterval(cases$completed, ageGroups)
    for (g in c(-1, 1:5)) {
        subset <- if (g < 0) cases else cases[groups == g, ]
        if (nrow(subset) == 0) next
        fit <- rs.surv(Surv(time, status) ~ 1, data = subset, ratetable = hazard, method = "pohar-perme",
                       rmap = list(age = age, sex = sex, year = year))
        s <- summary(fit, times = (1:10) * 365.25, extend = TRUE)
        for (k in seq_along(s$time))
            cat(example, if (g < 0) "all" else ageGroups[g], k, format(s$surv[k], digits = 10), "\n")
    }
}
