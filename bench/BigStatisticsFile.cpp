#include "BigStatisticsFile.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <readstat.h>
#include <sstream>
#include <vector>

#include "import/FieldConversions.h"

namespace kalderon::bench {
namespace {

struct ExampleCase {
    double begin = 0, end = 0, birth = 0;
    double status = 0, sex = 0;
    std::string group;
};

std::vector<ExampleCase> ExampleCases()
{
    std::ifstream in(std::string(KALDERON_SOURCE_DIR) + "/data/examples/rdata.txt");
    std::vector<ExampleCase> cases;
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> f;
        std::stringstream fields(line);
        for (std::string field; std::getline(fields, field, ';');) f.push_back(field);
        if (f.size() < 6) continue;
        cases.push_back({ParseDateText(f[0]).serial(), ParseDateText(f[1]).serial(), ParseDateText(f[5]).serial(),
                         std::atof(f[2].c_str()), std::atof(f[4].c_str()), f[3]});
    }
    return cases;
}

ssize_t WriteBytes(const void* bytes, size_t size, void* file)
{
    return static_cast<ssize_t>(std::fwrite(bytes, 1, size, static_cast<std::FILE*>(file)));
}

}  // namespace

bool MakeBigStatisticsFile(const std::string& target, long rows)
{
    const std::string ext = target.substr(target.rfind('.'));
    const bool stata = ext == ".dta", spss = ext == ".sav";
    // Day numbers since 30.12.1899 in the package's units and epoch.
    const auto packageDate = [&](double day) { return spss ? (day + 115859.0) * 86400.0 : day - 21916.0; };
    const char* dateFormat = stata ? "%td" : spss ? "DATE11" : "DATE9";

    const std::vector<ExampleCase> cases = ExampleCases();
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(target.c_str(), "wb"), std::fclose);
    if (!file || cases.empty()) return false;
    readstat_writer_t* writer = readstat_writer_init();
    readstat_set_data_writer(writer, WriteBytes);
    readstat_label_set_t* sexes = readstat_add_label_set(writer, READSTAT_TYPE_DOUBLE, "sexes");
    readstat_label_double_value(sexes, 1, "male");
    readstat_label_double_value(sexes, 2, "female");
    const auto variable = [&](const char* name, readstat_type_t type, size_t width, const char* format) {
        readstat_variable_t* v = readstat_add_variable(writer, name, type, width);
        if (format) readstat_variable_set_format(v, format);
        return v;
    };
    readstat_variable_t* begin = variable("diagnosis_date", READSTAT_TYPE_DOUBLE, 0, dateFormat);
    readstat_variable_t* end = variable("last_contact", READSTAT_TYPE_DOUBLE, 0, dateFormat);
    readstat_variable_t* status = variable("vital_status", READSTAT_TYPE_DOUBLE, 0, nullptr);
    readstat_variable_t* group = variable("age_group", READSTAT_TYPE_STRING, 8, nullptr);
    readstat_variable_t* sex = variable("sex", READSTAT_TYPE_DOUBLE, 0, nullptr);
    readstat_variable_t* birth = variable("birth_date", READSTAT_TYPE_DOUBLE, 0, dateFormat);
    if (!ext.ends_with("sas7bdat")) readstat_variable_set_label_set(sex, sexes);
    if (spss) readstat_writer_set_compression(writer, READSTAT_COMPRESS_ROWS);

    readstat_error_t error = stata  ? readstat_begin_writing_dta(writer, file.get(), rows)
                             : spss ? readstat_begin_writing_sav(writer, file.get(), rows)
                                    : readstat_begin_writing_sas7bdat(writer, file.get(), rows);
    for (long r = 0; error == READSTAT_OK && r < rows; ++r) {
        const ExampleCase& c = cases[static_cast<size_t>(r) % cases.size()];
        readstat_begin_row(writer);
        readstat_insert_double_value(writer, begin, packageDate(c.begin));
        readstat_insert_double_value(writer, end, packageDate(c.end));
        readstat_insert_double_value(writer, status, c.status);
        readstat_insert_string_value(writer, group, c.group.c_str());
        readstat_insert_double_value(writer, sex, c.sex);
        readstat_insert_double_value(writer, birth, packageDate(c.birth));
        error = readstat_end_row(writer);
    }
    if (error == READSTAT_OK) error = readstat_end_writing(writer);
    readstat_writer_free(writer);
    return error == READSTAT_OK;
}

}  // namespace kalderon::bench
