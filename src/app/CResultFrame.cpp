#include "app/CResultFrame.h"

#include <QClipboard>
#include <QGuiApplication>

#include "analysis/AnalysisCommand.h"
#include "common/SafeFileWrite.h"
#include "common/TextFormat.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "resources/Texts.h"
#include "results/ui/CResultEditView.h"

namespace kalderon {

CResultFrame::CResultFrame(AppServices& services, int resourceId, QWidget* parent)
    : CChildFrame(resourceId, resource::kDataMenu, parent),
      services_(services),
      view_(new CResultEditView(services, this))
{
    setWidget(view_);
    connect(view_, &CResultEditView::titleChanged, this, &QWidget::setWindowTitle);
    connect(view_, &CResultEditView::copyAvailable, this, &CChildFrame::CommandsChanged);
}

bool CResultFrame::HandlesCommand(int id) const
{
    switch (id) {
    case command::kSaveAs:
    case command::kPrint:
    case command::kPrintPreview:
    case command::kSelectAll: return true;
    case command::kCopy: return view_->hasSelection();
    case command::kCopyCommandLine:
    case command::kSaveAnalysis: return analysis_.has_value();
    default: return false;
    }
}

void CResultFrame::RunCommand(int id)
{
    switch (id) {
    case command::kSaveAs: view_->SaveAs(); break;
    case command::kPrint: view_->Print(); break;
    case command::kPrintPreview: view_->PrintPreview(); break;
    case command::kSelectAll: view_->selectAll(); break;
    case command::kCopy: view_->copy(); break;
    case command::kCopyCommandLine: CopyCommandLine(); break;
    case command::kSaveAnalysis: SaveAnalysis(); break;
    default: break;
    }
}

void CResultFrame::CopyCommandLine() const
{
    if (analysis_) QGuiApplication::clipboard()->setText(DisplayText(CommandLineText(*analysis_)));
}

void CResultFrame::SaveAnalysis()
{
    if (!analysis_) return;
    const QString path =
        services_.fileDialogs.SaveFileName(this, QString::fromUtf8(text::kSaveAnalysisTitle), FileKind::kAnalysis,
                                           QString::fromUtf8(text::kAnalysisFileFilter), QStringLiteral("kan"));
    if (path.isEmpty()) return;
    std::string reason;
    if (!WriteFileSafely(PathBytes(path), AnalysisFileText(*analysis_, PathBytes(path)), reason))
        services_.messages.Show(this, DisplayText(FormatText(text::kFileNotWritten, PathBytes(path), reason)));
}

bool CResultFrame::QueryClose() { return view_->QuerySaveOnClose(); }

bool CResultFrame::HasUnsavedContent() const { return view_->unsavedFlag() != 0; }

bool CResultFrame::SaveContent() { return view_->SaveAs() == 1; }

}  // namespace kalderon
