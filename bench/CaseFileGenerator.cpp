#include "CaseFileGenerator.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <random>

#include <unistd.h>

#include "stats/DateValue.h"

namespace kalderon::bench {
namespace {

// Appends "DD.MM.YYYY", or "YYYY-MM-DD" when `iso`, of a day number since
// 30.12.1899.
char* AppendDate(char* out, double serial, bool iso)
{
    const CivilDate d = DateValue::FromSerial(serial).civil();
    if (iso) return out + std::snprintf(out, 16, "%04d-%02d-%02d", d.year, d.month, d.day);
    return out + std::snprintf(out, 16, "%02d.%02d.%04d", d.day, d.month, d.year);
}

class TemporaryFiles {
public:
    ~TemporaryFiles()
    {
        for (const auto& [key, path] : paths) std::filesystem::remove(path);
    }
    std::map<std::pair<std::int64_t, CaseFileLayout>, std::string> paths;
};

}  // namespace

bool WriteCaseFile(const std::string& path, std::int64_t count, std::uint64_t seed, CaseFileLayout layout)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file) return false;
    const bool csv = layout != CaseFileLayout::kExample;
    const bool registry = layout == CaseFileLayout::kRegistry20;
    if (csv && std::fputs("id,diagnosis_date,last_contact,vital_status,age_group,sex,birth_date", file.get()) < 0)
        return false;
    if (registry && std::fputs(",icd10,morphology,grade,stage,district,hospital,size_mm,nodes_examined,"
                               "nodes_positive,treatment,bmi,postcode,comorbidity",
                               file.get()) < 0)
        return false;
    if (csv && std::fputs("\n", file.get()) < 0) return false;
    static const char* const kStages[] = {"I", "II", "III", "IV"};
    static const char* const kTreatments[] = {"surgery", "chemotherapy", "radiotherapy", "surgery+chemotherapy",
                                              "surgery+radiotherapy", "none"};
    std::mt19937_64 more(seed + 1);  // the registry's fields draw apart, so that the cases stay those of seed

    static const char* const kGroups[] = {"<54", "54-61", "62-70", "71-95"};
    const double firstBegin = DateValue::FromYmd(1985, 1, 1).serial();
    const double lastBegin = DateValue::FromYmd(2009, 12, 31).serial();
    const double closing = DateValue::FromYmd(2014, 12, 31).serial();

    std::mt19937_64 random(seed);
    std::uniform_int_distribution<int> beginDay(0, static_cast<int>(lastBegin - firstBegin));
    std::exponential_distribution<double> yearsToDeath(1.0 / 6.0);
    std::uniform_int_distribution<int> ageDays(30 * 365, 90 * 365);
    std::uniform_int_distribution<int> groupPick(0, 3);
    std::bernoulli_distribution lost(0.1);

    char line[320];
    for (std::int64_t i = 0; i < count; ++i) {
        const double begin = firstBegin + beginDay(random);
        double end = begin + static_cast<int>(yearsToDeath(random) * 365.25);
        bool dead = true;
        if (end > closing) end = closing, dead = false;
        if (lost(random)) end = begin + (end - begin) * 0.5, dead = false;
        const double birth = begin - ageDays(random);
        const char* group = kGroups[groupPick(random)];
        const int sex = 1 + static_cast<int>(random() & 1);

        char* out = line;
        if (csv) out += std::snprintf(out, 24, "%lld,", static_cast<long long>(i + 1));
        out = AppendDate(out, begin, csv);
        *out++ = csv ? ',' : ';';
        out = AppendDate(out, end, csv);
        out += std::snprintf(out, 32, csv ? ",%d,\"%s\",%d," : ";%d;%s;%d;", dead ? 1 : 0, group, sex);
        out = AppendDate(out, birth, csv);
        if (registry) {
            const auto pick = [&more](int n) { return static_cast<int>(more() % static_cast<std::uint64_t>(n)); };
            out += std::snprintf(out, 200, ",C%02d.%d,8%03d/3,G%d,%s,%03d,H%03d,%d,%d,%d,%s,%d.%d,%04d,%d",
                                 15 + pick(12), pick(10), 10 + pick(20) * 10, 1 + pick(4),
                                 kStages[pick(4)], 100 + pick(120),
                                 pick(60), 1 + pick(150), pick(41), pick(11), kTreatments[pick(6)], 16 + pick(30),
                                 pick(10), 1000 + pick(8999), pick(6));
        }
        *out++ = '\n';
        if (std::fwrite(line, 1, out - line, file.get()) != static_cast<size_t>(out - line)) return false;
    }
    return std::fclose(file.release()) == 0;
}

const std::string& SharedCaseFile(std::int64_t count, CaseFileLayout layout)
{
    static TemporaryFiles files;
    auto [it, inserted] = files.paths.try_emplace({count, layout});
    if (inserted) {
        it->second = (std::filesystem::temp_directory_path() /
                      ("kalderon-bench-" + std::to_string(::getpid()) + "-" + std::to_string(count) +
                       (layout == CaseFileLayout::kExample ? ".txt"
                        : layout == CaseFileLayout::kHeaderCsv ? ".csv"
                                                               : "-registry.csv")))
                         .string();
        if (!WriteCaseFile(it->second, count, 1, layout)) {
            std::fprintf(stderr, "cannot write %s\n", it->second.c_str());
            std::exit(1);
        }
    }
    return it->second;
}

}  // namespace kalderon::bench
