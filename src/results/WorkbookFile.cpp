#include "results/WorkbookFile.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace kalderon {

struct WorkbookFile::State {
    std::string path;
    std::string temporary;
    lxw_workbook* workbook = nullptr;
    std::vector<lxw_worksheet*> sheets;
    std::map<int, lxw_format*> numberFormats;
    lxw_format* dateFormat = nullptr;
    lxw_error firstError = LXW_NO_ERROR;
    int openError = 0;  // errno of a temporary file that could not be made

    void Check(lxw_error error)
    {
        if (error != LXW_NO_ERROR && firstError == LXW_NO_ERROR) firstError = error;
    }

    lxw_format* NumberFormat(int decimals)
    {
        if (decimals < 0) return nullptr;
        lxw_format*& format = numberFormats[decimals];
        if (!format) {
            format = workbook_add_format(workbook);
            format_set_num_format(format, decimals == 0 ? "0" : ("0." + std::string(decimals, '0')).c_str());
        }
        return format;
    }
};

namespace {

// A new, empty file beside `path` for the workbook to be written to.
std::string TemporaryBeside(const std::string& path)
{
    std::string name = path + ".XXXXXX";
    const int fd = mkstemp(name.data());
    if (fd < 0) return {};
    // The permissions of a file made as usual, not those of a temporary one.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    return name;
}

}  // namespace

WorkbookFile::WorkbookFile(const std::string& path) : state_(std::make_unique<State>())
{
    state_->path = path;
    state_->temporary = TemporaryBeside(path);
    if (state_->temporary.empty()) {
        state_->openError = errno;
        return;
    }
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.use_zip64 = LXW_TRUE;
    state_->workbook = workbook_new_opt(state_->temporary.c_str(), &options);
    if (!state_->workbook) return;
    state_->dateFormat = workbook_add_format(state_->workbook);
    format_set_num_format(state_->dateFormat, "dd.mm.yyyy hh:mm:ss");
}

WorkbookFile::~WorkbookFile()
{
    if (state_->workbook) {
        workbook_close(state_->workbook);
    }
    if (!state_->temporary.empty()) std::remove(state_->temporary.c_str());
}

int WorkbookFile::AddSheet(const std::string& name)
{
    if (!state_->workbook) return -1;
    lxw_worksheet* sheet = workbook_add_worksheet(state_->workbook, name.c_str());
    if (!sheet) {
        state_->Check(LXW_ERROR_SHEETNAME_ALREADY_USED);
        return -1;
    }
    state_->sheets.push_back(sheet);
    return static_cast<int>(state_->sheets.size()) - 1;
}

void WorkbookFile::Text(int sheet, long row, int column, const std::string& text)
{
    if (sheet < 0) return;
    state_->Check(worksheet_write_string(state_->sheets[static_cast<size_t>(sheet)], static_cast<lxw_row_t>(row),
                                         static_cast<lxw_col_t>(column), text.c_str(), nullptr));
}

void WorkbookFile::Number(int sheet, long row, int column, double value, int decimals)
{
    if (sheet < 0) return;
    state_->Check(worksheet_write_number(state_->sheets[static_cast<size_t>(sheet)], static_cast<lxw_row_t>(row),
                                         static_cast<lxw_col_t>(column), value, state_->NumberFormat(decimals)));
}

void WorkbookFile::DateTime(int sheet, long row, int column, const std::tm& when)
{
    if (sheet < 0) return;
    lxw_datetime value{when.tm_year + 1900, when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min,
                       static_cast<double>(when.tm_sec)};
    state_->Check(worksheet_write_datetime(state_->sheets[static_cast<size_t>(sheet)], static_cast<lxw_row_t>(row),
                                           static_cast<lxw_col_t>(column), &value, state_->dateFormat));
}

void WorkbookFile::Note(int sheet, long row, int column, const std::string& text)
{
    if (sheet < 0) return;
    state_->Check(worksheet_write_comment(state_->sheets[static_cast<size_t>(sheet)], static_cast<lxw_row_t>(row),
                                          static_cast<lxw_col_t>(column), text.c_str()));
}

void WorkbookFile::ColumnWidth(int sheet, int column, double characters)
{
    if (sheet < 0) return;
    worksheet_set_column(state_->sheets[static_cast<size_t>(sheet)], static_cast<lxw_col_t>(column),
                         static_cast<lxw_col_t>(column), characters, nullptr);
}

bool WorkbookFile::Close(std::string& reason)
{
    if (state_->temporary.empty()) {
        reason = std::strerror(state_->openError);
        return false;
    }
    if (!state_->workbook) {
        reason = lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return false;
    }
    const lxw_error closed = workbook_close(state_->workbook);
    state_->workbook = nullptr;
    const lxw_error error = state_->firstError != LXW_NO_ERROR ? state_->firstError : closed;
    if (error != LXW_NO_ERROR) {
        reason = lxw_strerror(error);
        return false;
    }
    if (std::rename(state_->temporary.c_str(), state_->path.c_str()) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    state_->temporary.clear();
    return true;
}

}  // namespace kalderon
