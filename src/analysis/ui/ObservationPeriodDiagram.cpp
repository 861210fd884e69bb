#include "analysis/ui/ObservationPeriodDiagram.h"

#include <QPainter>
#include <QTimerEvent>

#include "analysis/ObservationPeriodLayout.h"
#include "analysis/PeriodSteps.h"
#include "common/qt/DisplayText.h"
#include "common/ui/ControlName.h"

namespace kalderon {
namespace {

constexpr int kAnimationPeriodMs = 1000;

QFont DiagramFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(10);
    font.setWeight(QFont::Normal);
    return font;
}

// A line that, like the lines of the dialog's original drawing calls,
// leaves out its last pixel.
void DrawHorizontal(QPainter& painter, int y, int xFrom, int xTo)
{
    if (xTo > xFrom) painter.drawLine(xFrom, y, xTo - 1, y);
}

void DrawDateText(QPainter& painter, int x, int bottom, const std::string& text)
{
    constexpr int kRoom = 400;
    painter.drawText(QRect(x - kRoom / 2, bottom - kRoom, kRoom, kRoom), Qt::AlignHCenter | Qt::AlignBottom,
                     DisplayText(text));
}

}  // namespace

ObservationPeriodDiagram::ObservationPeriodDiagram(CAnalysisData* data, const std::vector<CCaseRecord>* cases,
                                                   std::int32_t mode, QWidget* parent)
    : QWidget(parent), data_(data), cases_(cases), mode_(mode)
{
    setObjectName(ControlName(kControlId));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

ObservationPeriodDiagram::~ObservationPeriodDiagram() { StopAnimation(); }

QSize ObservationPeriodDiagram::sizeHint() const { return QSize(420, 130); }

void ObservationPeriodDiagram::StopAnimation() { animation_.stop(); }

void ObservationPeriodDiagram::StepAnimation()
{
    if (!data_) return;
    StepAnimatedPeriod(*data_);
    update();
}

void ObservationPeriodDiagram::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == animation_.timerId())
        StepAnimation();
    else
        QWidget::timerEvent(event);
}

void ObservationPeriodDiagram::paintEvent(QPaintEvent*)
{
    if (mode_ == kTrend && !animationStarted_) {
        animationStarted_ = true;
        animation_.start(kAnimationPeriodMs, this);
    }

    QPainter painter(this);
    const QFont font = DiagramFont();
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const QRect client = rect();
    const DiagramArea area{client.left(), client.top(), client.left() + client.width(), client.top() + client.height(),
                           metrics.horizontalAdvance(QStringLiteral("88.88.8888")), metrics.height()};
    const ObservationPeriodLayout layout = LayOutObservationPeriod(area, mode_, data_, cases_, selected_);

    painter.fillRect(client, Qt::white);
    if (layout.hasBand && layout.bandRight > layout.bandLeft && layout.axisY > layout.top)
        painter.fillRect(QRect(layout.bandLeft, layout.top, layout.bandRight - layout.bandLeft, layout.axisY - layout.top),
                         QColor(255, 255, 0));

    painter.setPen(QPen(Qt::black, 0));
    DrawHorizontal(painter, layout.axisY, layout.x0, layout.x1);
    for (int x : layout.tickX)
        painter.drawLine(x, layout.axisY, x, layout.axisY + ObservationPeriodLayout::kTickLength - 1);
    if (!layout.beginText.empty() || !layout.endText.empty()) {
        DrawDateText(painter, layout.x0, layout.labelY, layout.beginText);
        DrawDateText(painter, layout.x1, layout.labelY, layout.endText);
    }
    for (const DiagramLine& line : layout.caseLines) DrawHorizontal(painter, line.y, line.xFrom, line.xTo);
}

}  // namespace kalderon
