#include "cli/ReportFiles.h"

#include <exception>
#include <optional>
#include <string_view>
#include <thread>

#include "results/SafeFileWrite.h"

namespace kalderon::batch {
namespace {

// The export written on a thread of its own; joined, and anything it threw
// thrown again, by Finish or on destruction.
class ExportThread {
public:
    ExportThread(const ResultReport& report, SafeFile& file)
        : thread_([&report, &file, this] {
              try {
                  report.WriteExport([&file](std::string_view piece) { file.Write(piece); }, true);
              } catch (...) {
                  failure_ = std::current_exception();
              }
          })
    {
    }
    ExportThread(const ExportThread&) = delete;
    ExportThread& operator=(const ExportThread&) = delete;
    ~ExportThread()
    {
        if (thread_.joinable()) thread_.join();
    }

    void Finish()
    {
        thread_.join();
        if (failure_) std::rethrow_exception(failure_);
    }

private:
    std::exception_ptr failure_;
    std::thread thread_;
};

std::string CannotWrite(const std::string& path, const std::string& reason)
{
    return "cannot write " + path + ": " + reason;
}

}  // namespace

bool WriteReportFiles(const ResultReport& report, const std::string& reportPath, const std::string& csvPath,
                      std::ostream& out, std::string& error)
{
    std::string reason;
    SafeFile reportFile;
    if (!reportPath.empty() && !reportFile.Open(reportPath, reason)) {
        error = CannotWrite(reportPath, reason);
        return false;
    }
    SafeFile exportFile;
    std::string exportOpenFailure;
    if (!csvPath.empty() && !exportFile.Open(csvPath, exportOpenFailure))
        exportOpenFailure = CannotWrite(csvPath, exportOpenFailure);
    {
        std::optional<ExportThread> exporting;
        if (!csvPath.empty() && exportOpenFailure.empty()) exporting.emplace(report, exportFile);
        if (reportPath.empty())
            report.WriteReport([&out](std::string_view piece) {
                out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            });
        else
            report.WriteReport([&reportFile](std::string_view piece) { reportFile.Write(piece); });
        if (exporting) exporting->Finish();
    }
    if (reportPath.empty()) {
        out.flush();
        if (!out) {
            error = "cannot write the report to standard output";
            return false;
        }
    } else if (!reportFile.Commit(reason)) {
        error = CannotWrite(reportPath, reason);
        return false;
    }
    if (!exportOpenFailure.empty()) {
        error = exportOpenFailure;
        return false;
    }
    if (!csvPath.empty() && !exportFile.Commit(reason)) {
        error = CannotWrite(csvPath, reason);
        return false;
    }
    return true;
}

}  // namespace kalderon::batch
