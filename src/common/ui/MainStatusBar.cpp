#include "common/ui/MainStatusBar.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "common/ui/LockKeyIndicators.h"
#include "resources/Texts.h"

namespace kalderon {
namespace {

const QString kIdleMessage = QStringLiteral("Ready");

}  // namespace

MainStatusBar::MainStatusBar(QWidget* parent)
    : QStatusBar(parent), messagePane_(new QLabel(kIdleMessage, this)),
      progress_(new QProgressBar(this)),
      casesPane_(new QLabel(this))
{
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    progress_->setObjectName(QStringLiteral("readProgress"));
    progress_->setRange(0, 100);
    progress_->setMaximumWidth(200);
    progress_->setMaximumHeight(messagePane_->sizeHint().height());
    progress_->hide();
    addWidget(messagePane_, 1);
    addWidget(progress_);
    casesPane_->setObjectName(QStringLiteral("casesPane"));
    casesPane_->hide();
    addPermanentWidget(casesPane_);
    lockKeys_ = new LockKeyIndicators(this, QGuiApplication::platformName());
}

QString MainStatusBar::paneText() const { return messagePane_->text(); }

QString MainStatusBar::caseCounts() const { return casesPane_->isHidden() ? QString() : casesPane_->text(); }

void MainStatusBar::ShowCaseCounts(const QString& counts)
{
    casesPane_->setText(counts);
    casesPane_->setVisible(!counts.isEmpty());
}

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
    statusBar_->BeginProgress(QString::fromLatin1(text::kReadingFile).replace(QLatin1String("%s"), name));
}

StatusBarReading::~StatusBarReading() { statusBar_->EndProgress(); }

ReadProgress StatusBarReading::progress() const
{
    return [statusBar = statusBar_](size_t done, size_t total) {
        statusBar->SetProgress(total ? static_cast<int>(100 * std::min(done, total) / total) : 0);
    };
}

}  // namespace kalderon
