#include "common/ui/MainStatusBar.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>

namespace kalderon {
namespace {

const QString kIdleMessage = QStringLiteral("Ready");

// An indicator pane of the lock keys.  Their state is not known to the
// program, so the panes stand dimmed as a keyboard with all locks off.
QLabel* IndicatorPane(const QString& text, QWidget* parent)
{
    auto* pane = new QLabel(text, parent);
    pane->setObjectName(QStringLiteral("indicator") + text);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    pane->setEnabled(false);
    return pane;
}

}  // namespace

MainStatusBar::MainStatusBar(QWidget* parent)
    : QStatusBar(parent), messagePane_(new QLabel(kIdleMessage, this)), progress_(new QProgressBar(this))
{
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    progress_->setObjectName(QStringLiteral("readProgress"));
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(200);
    progress_->setMaximumHeight(messagePane_->sizeHint().height());
    progress_->hide();
    addWidget(messagePane_, 1);
    addWidget(progress_);
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) addPermanentWidget(IndicatorPane(QString::fromLatin1(indicator), this));
}

QString MainStatusBar::paneText() const { return messagePane_->text(); }

void MainStatusBar::BeginProgress(const QString& message)
{
    messagePane_->setText(message);
    progress_->setValue(0);
    progress_->show();
    reformat();
    repaint();
}

void MainStatusBar::BeginBusy(const QString& message)
{
    BeginProgress(message);
    progress_->setRange(0, 0);
}

void MainStatusBar::SetProgress(int percent)
{
    if (percent == progress_->value()) return;
    progress_->setValue(percent);
    progress_->repaint();
}

void MainStatusBar::EndProgress()
{
    progress_->hide();
    progress_->setRange(0, 100);
    messagePane_->setText(kIdleMessage);
}

StatusBarReading::StatusBarReading(MainStatusBar* statusBar, const QString& name) : statusBar_(statusBar)
{
    statusBar_->BeginProgress(QStringLiteral("Reading %1 ...").arg(name));
}

StatusBarReading::~StatusBarReading() { statusBar_->EndProgress(); }

ReadProgress StatusBarReading::progress() const
{
    return [statusBar = statusBar_](size_t done, size_t total) {
        statusBar->SetProgress(total ? static_cast<int>(100 * std::min(done, total) / total) : 0);
    };
}

}  // namespace kalderon
