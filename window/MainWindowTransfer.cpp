// TfmMain (MainWindow.h), continued: a transfer under way, shown in the
// status bar with the bytes moved, the rate and, for an upload, the size of
// the list, beside a Cancel button. The status bar shows only while it has
// something to say, so the window keeps its room at the design size.

#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "window/MainWindow.h"

namespace vantrel {

namespace {

// A rate is shown once the transfer has run long enough to have one.
constexpr qint64 kRateAfterMs = 500;
constexpr int kUploadSteps = 1000;

}  // namespace

void TfmMain::BuildTransferBar() {
    QStatusBar* bar = statusBar();
    lblTransfer = new QLabel;
    lblTransfer->setObjectName(QStringLiteral("lblTransfer"));
    pbarTransfer = new QProgressBar;
    pbarTransfer->setObjectName(QStringLiteral("pbarTransfer"));
    pbarTransfer->setMaximumWidth(160);
    pbarTransfer->setTextVisible(false);
    btnCancelTransfer = new QPushButton(tr("Cancel"));
    btnCancelTransfer->setObjectName(QStringLiteral("btnCancelTransfer"));
    btnCancelTransfer->setToolTip(tr("End the transfer; nothing is kept or sent (Esc)"));
    for (QWidget* part : {static_cast<QWidget*>(lblTransfer), static_cast<QWidget*>(pbarTransfer),
                          static_cast<QWidget*>(btnCancelTransfer)}) {
        bar->addPermanentWidget(part);
        part->hide();
    }
    connect(btnCancelTransfer, &QPushButton::clicked, this, [this] { CancelTransfer(); });
    connect(bar, &QStatusBar::messageChanged, this, [this] { RenderTransfer(); });
    bar->hide();
}

QString TfmMain::TransferText(const LinkProgress& progress, qint64 elapsedMs) const {
    const QLocale here = locale();
    const QString moved = here.formattedDataSize(static_cast<qint64>(progress.TransferBytes));
    QString rate;
    if (elapsedMs >= kRateAfterMs)
        rate = tr(", %1/s").arg(here.formattedDataSize(
            static_cast<qint64>(progress.TransferBytes * 1000 / static_cast<quint64>(elapsedMs))));
    if (progress.Uploading)
        return tr("Uploading: %1 of %2 sent%3")
            .arg(moved, here.formattedDataSize(static_cast<qint64>(progress.UploadSize)), rate);
    return tr("Downloading: %1 received%2").arg(moved, rate);
}

void TfmMain::RenderTransfer() {
    const DeviceLink& link = core_->link();
    const bool running = link.TransferRunning();
    if (!running) transferClock_.invalidate();
    else if (!transferClock_.isValid()) transferClock_.start();
    for (QWidget* part : {static_cast<QWidget*>(lblTransfer), static_cast<QWidget*>(pbarTransfer),
                          static_cast<QWidget*>(btnCancelTransfer)})
        part->setVisible(running);
    if (running) {
        const LinkProgress progress = link.Progress();
        lblTransfer->setText(TransferText(progress, transferClock_.elapsed()));
        if (progress.Uploading && progress.UploadSize > 0) {
            pbarTransfer->setRange(0, kUploadSteps);
            pbarTransfer->setValue(
                static_cast<int>(progress.TransferBytes * kUploadSteps / progress.UploadSize));
        } else {
            pbarTransfer->setRange(0, 0);  // a download's size is known only at its end
        }
    }
    statusBar()->setVisible(running || !statusBar()->currentMessage().isEmpty());
}

void TfmMain::CancelTransfer() {
    if (!core_->link().TransferRunning()) return;
    Handle([this] { core_->link().Cancel(); });
    statusBar()->showMessage(tr("The transfer was cancelled; nothing was kept or sent."),
                             kStatusMessageMs);
}

}  // namespace vantrel
