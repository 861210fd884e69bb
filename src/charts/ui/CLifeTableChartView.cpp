#include "charts/ui/CLifeTableChartView.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <new>

#include "charts/ChartDefaults.h"
#include "charts/ChartFile.h"
#include "charts/ChartHitTest.h"
#include "charts/ChartLayoutSnapshot.h"
#include "charts/ChartPageFit.h"
#include "charts/ChartRenderer.h"
#include "charts/qt/ChartImage.h"
#include "charts/qt/QtCanvas.h"
#include "charts/qt/SettingsChartProfile.h"
#include "charts/ui/ChartAxisDialog.h"
#include "charts/ui/ChartExport.h"
#include "charts/ui/ChartTitleDialog.h"
#include "charts/ui/DataSeriesDialog.h"
#include "charts/ui/LegendDialog.h"
#include "common/qt/DisplayText.h"
#include "common/ui/AppServices.h"
#include "common/ui/ResourceIds.h"
#include "common/ui/UiText.h"
#include "common/ui/UserProfile.h"
#include "common/ui/WaitCursor.h"
#include "resources/Texts.h"
#include "results/ui/PageSetup.h"
#include "results/ui/PrintPreview.h"

namespace kalderon {
namespace {

constexpr int kChartFileFilter = 203;
constexpr int kExportTitle = 212;
constexpr int kSaveTitle = 213;
constexpr int kUnsavedNoFile = 220;
constexpr int kUnsavedInFile = 221;
constexpr int kUnsavedCaption = 222;

// The window string of each chart kind, whose first line names the kind.
int KindString(std::int32_t kind)
{
    switch (kind) {
    case kChartPeriodAnalysis: return 413;
    case kChartTrend: return 422;
    case kChartProductLimit: return 426;
    case kChartCumulativeIncidence: return 432;
    default: return 402;
    }
}

QString FormatWithPath(int id, const std::string& path)
{
    QString format = UiString(id);
    return format.replace(QLatin1String("%s"), DisplayText(path));
}

}  // namespace

CLifeTableChartView::CLifeTableChartView(AppServices& services, QWidget* parent) : QWidget(parent), services_(services)
{
    setObjectName(QStringLiteral("chartView"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(80, 60);
    UpdateAccessibleTexts();
}

void CLifeTableChartView::InitFromAnalysis(const CAnalysisData& analysis, std::int32_t kind, int n)
{
    const SettingsChartProfile userDefaults;
    chart_.InitFromAnalysis(analysis, kind, n, userDefaults);
    UpdateAccessibleTexts();
    update();
}

void CLifeTableChartView::SetChart(LifeTableChart chart)
{
    chart_ = std::move(chart);
    LoadNumbersAtRiskDefault(chart_, SettingsChartProfile());
    UpdateAccessibleTexts();
    update();
}

void CLifeTableChartView::UpdateAccessibleTexts()
{
    setAccessibleName(UiString(KindString(chart_.chartKind)).section(QLatin1Char('\n'), 0, 0));
    setAccessibleDescription(DisplayText(chart_.titleText));
}

bool CLifeTableChartView::HandlesCommand(int id)
{
    switch (id) {
    case command::kEditChartTitle:
    case command::kEditTimeAxis:
    case command::kEditSurvivalAxis:
    case command::kEditLegend:
    case command::kFormatDataSeries:
    case command::kSaveChart:
    case command::kSaveAs:
    case command::kExportChart:
    case command::kPrint:
    case command::kPrintPreview:
    case command::kCopy: return true;
    default: return false;
    }
}

void CLifeTableChartView::OnCommand(int id)
{
    switch (id) {
    case command::kSaveChart: SaveChart(); break;
    case command::kSaveAs: SaveChartAs(); break;
    case command::kExportChart: ExportChart(); break;
    case command::kPrint: PrintChart(); break;
    case command::kPrintPreview: PrintPreview(); break;
    case command::kCopy: CopyChart(); break;
    default:
        if (HandlesCommand(id)) RunOptionCommand(id);
        break;
    }
}

void CLifeTableChartView::RunOptionCommand(int id)
{
    RemoveFocusFrame();
    emit optionCommand(id);
    SettingsChartProfile userDefaults;
    switch (id) {
    case command::kEditChartTitle: ChartTitleDialog(chart_, userDefaults, services_, this).exec(); break;
    case command::kEditTimeAxis:
        ChartAxisDialog(chart_, chart_.timeAxis, userDefaults, services_, this).exec();
        break;
    case command::kEditSurvivalAxis:
        ChartAxisDialog(chart_, chart_.survivalAxis, userDefaults, services_, this).exec();
        break;
    case command::kEditLegend: LegendDialog(chart_, userDefaults, services_, this).exec(); break;
    case command::kFormatDataSeries: DataSeriesDialog(chart_, userDefaults, services_, this).exec(); break;
    default: break;
    }
    UpdateAccessibleTexts();
    update();
}

// --- drawing and the focus frame ---

void CLifeTableChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (drawingFailed_) return;
    try {
        QtCanvas canvas(painter);
        DrawChart(chart_, canvas, WindowSurface(width(), height()));
    } catch (const std::bad_alloc&) {
        // Said once, after the paint event: a message box does not open inside one.
        drawingFailed_ = true;
        painter.fillRect(rect(), Qt::white);
        QMetaObject::invokeMethod(this, &CLifeTableChartView::ShowNotEnoughMemory, Qt::QueuedConnection);
        return;
    }
    if (focusFrame_) {
        const ChartRect& f = *focusFrame_;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setClipping(false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(QRect(f.left, f.top, f.right - f.left - 1, f.bottom - f.top - 1));
    }
}

void CLifeTableChartView::resizeEvent(QResizeEvent* event)
{
    RemoveFocusFrame();
    QWidget::resizeEvent(event);
}

void CLifeTableChartView::ShowFocusFrame(ChartRect frame)
{
    RemoveFocusFrame();
    focusFrame_ = frame;
    update();
}

void CLifeTableChartView::RemoveFocusFrame()
{
    previousFrame_ = focusFrame_;
    if (!focusFrame_) return;
    focusFrame_.reset();
    update();
}

void CLifeTableChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    const QPoint p = event->position().toPoint();
    const ChartHit hit = HitTestClick(chart_, {p.x(), p.y()});
    if (hit.element == ChartElement::kNone) {
        RemoveFocusFrame();
    } else {
        ShowFocusFrame(hit.frame);
    }
}

void CLifeTableChartView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
    const QPoint p = event->position().toPoint();
    const ChartHit hit = HitTestDoubleClick(chart_, {p.x(), p.y()});
    if (hit.element == ChartElement::kNone) return;
    RunOptionCommand(hit.command);
    // After an axis or legend dialog the frame stands where it was.
    const bool again = hit.element == ChartElement::kTimeAxis || hit.element == ChartElement::kSurvivalAxis ||
                       hit.element == ChartElement::kLegend;
    if (const std::optional<ChartRect> where = previousFrame_; again && where) ShowFocusFrame(*where);
}

// --- chart files ---

bool CLifeTableChartView::WriteChart(const std::string& path)
{
    WaitCursor wait;
    if (WriteChartFile(chart_, path)) return true;
    ShowCannotWrite(DisplayText(FullPath(path)));
    return false;
}

void CLifeTableChartView::ShowCannotWrite(const QString& path)
{
    services_.messages.Show(this, QString::fromLatin1(text::kCannotWriteFile).replace(QLatin1String("%s"), path));
}

bool CLifeTableChartView::SaveChart()
{
    if (chart_.chartPath.empty()) return SaveChartAs();
    return WriteChart(chart_.chartPath);
}

bool CLifeTableChartView::SaveChartAs()
{
    RemoveFocusFrame();
    const QString path = services_.fileDialogs.SaveFileName(this, UiString(kSaveTitle), FileKind::kChart,
                                                            UiString(kChartFileFilter), QStringLiteral("CHT"));
    if (path.isEmpty()) return false;
    const std::string file = FullPath(PathBytes(path));
    if (!WriteChart(file)) return false;
    if (chart_.chartPath.empty() && analysisTitle_.isEmpty() && parentWidget())
        analysisTitle_ = parentWidget()->windowTitle();
    chart_.chartPath = file;
    emit titleChanged(SavedFileTitle(DisplayText(file), analysisTitle_));
    return true;
}

bool CLifeTableChartView::QuerySaveOnClose()
{
    if (!chart_.modifiedFlag) return true;
    const QString question =
        chart_.chartPath.empty() ? UiString(kUnsavedNoFile) : FormatWithPath(kUnsavedInFile, chart_.chartPath);
    switch (services_.messages.Ask(this, question, UiString(kUnsavedCaption))) {
    case Messages::Answer::Yes: return SaveChartAs();
    case Messages::Answer::No: return true;
    default: return false;
    }
}

// --- export, printing, clipboard ---

void CLifeTableChartView::ExportChart()
{
    RemoveFocusFrame();
    QString selectedFilter;
    const QString path = services_.fileDialogs.SaveFileName(this, UiString(kExportTitle), FileKind::kImage,
                                                            ChartExportFilter(), QStringLiteral("WMF"), &selectedFilter);
    if (path.isEmpty()) return;
    repaint();
    DrawingCommand([&] {
        WaitCursor wait;
        if (!ExportChartPicture(chart_, path, ExportFormatOf(path, selectedFilter), width(), height()))
            ShowCannotWrite(path);
    });
}

bool CLifeTableChartView::Print(QPrinter& printer)
{
    const ChartLayoutSnapshot windowLayout(chart_);
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    QtCanvas canvas(painter);
    const ChartRect area = FitChartToPage(chart_, canvas, page.width(), page.height(), width(), height());
    painter.translate(area.left, area.top);
    DrawChart(chart_, canvas, PrintSurface(area.right - area.left, area.bottom - area.top, height()));
    return painter.end();
}

void CLifeTableChartView::PreparePrinter(QPrinter& printer) const
{
    printer.setDocName(WindowTitle(*this));
    if (!ApplyRememberedPageSetup(printer))
        printer.setPageOrientation(width() > height() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void CLifeTableChartView::PrintPreview()
{
    RemoveFocusFrame();
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    ShowPrintPreview(printer, this, [this](QPrinter& target) { Print(target); });
}

void CLifeTableChartView::PrintChart()
{
    RemoveFocusFrame();
    QPrinter printer(QPrinter::HighResolution);
    PreparePrinter(printer);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    DrawingCommand([&] {
        WaitCursor wait;
        if (!Print(printer) && !printer.outputFileName().isEmpty()) ShowCannotWrite(printer.outputFileName());
    });
}

void CLifeTableChartView::CopyChart()
{
    DrawingCommand([this] {
        const ChartLayoutSnapshot windowLayout(chart_);
        QApplication::clipboard()->setImage(RenderChartImage(chart_, width(), height()));
    });
}

void CLifeTableChartView::DrawingCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::bad_alloc&) {
        ShowNotEnoughMemory();
    }
}

void CLifeTableChartView::ShowNotEnoughMemory()
{
    services_.messages.Show(this, QString::fromLatin1(text::kNotEnoughMemory));
}

}  // namespace kalderon
