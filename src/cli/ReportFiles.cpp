#include "cli/ReportFiles.h"

#include <future>
#include <string_view>

#include "common/SafeFileWrite.h"
#include "common/TextFormat.h"
#include "resources/Texts.h"

namespace kalderon::batch {
namespace {

std::string CannotWrite(const std::string& path, const std::string& reason)
{
    return FormatText(text::kBatchCannotWriteBecause, path, reason);
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
        std::future<void> exporting;
        if (!csvPath.empty() && exportOpenFailure.empty())
            exporting = std::async(std::launch::async, [&] {
                report.WriteExport([&](std::string_view piece) { exportFile.Write(piece); }, true);
                exportFile.Sync();
            });
        if (reportPath.empty())
            report.WriteReport([&out](std::string_view piece) {
                out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
            });
        else {
            report.WriteReport([&reportFile](std::string_view piece) { reportFile.Write(piece); });
            reportFile.Sync();
        }
        if (exporting.valid()) exporting.get();
    }
    if (reportPath.empty()) {
        out.flush();
        if (!out) {
            error = text::kBatchCannotWriteStandardOutput;
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
