#include "window/photos/PhotosPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "map/PhotoMarkers.h"
#include "window/photos/PhotoTableModel.h"
#include "window/web/WebMapView.h"

namespace vantrel {

namespace {

namespace fs = std::filesystem;

// Photos read before the window is handed them: often enough to see the
// table grow, seldom enough not to redraw for every photo.
constexpr std::size_t kBatch = 64;

std::vector<fs::path> AskPathsWithDialog(bool folder, QWidget* parent) {
    std::vector<fs::path> paths;
    if (folder) {
        const QString chosen = QFileDialog::getExistingDirectory(
            parent, QCoreApplication::translate("vantrel", "Add a folder of photos"));
        if (!chosen.isEmpty()) paths.emplace_back(chosen.toStdString());
        return paths;
    }
    const QStringList chosen = QFileDialog::getOpenFileNames(
        parent, QCoreApplication::translate("vantrel", "Add photos"), QString(),
        QCoreApplication::translate("vantrel", "Photos") +
            QStringLiteral(" (*.jpg *.jpeg *.tif *.tiff *.png *.dng *.heic *.heif *.cr2 *.cr3 "
                           "*.nef *.arw *.orf *.rw2 *.raf *.pef *.srw *.webp);;") +
            QCoreApplication::translate("vantrel", "All files") + QStringLiteral(" (*)"));
    for (const QString& file : chosen) paths.emplace_back(file.toStdString());
    return paths;
}

std::string AskClockTimeWithDialog(const QString& photo, QWidget* parent) {
    bool ok = false;
    const QString text = QInputDialog::getText(
        parent, QCoreApplication::translate("vantrel", "Clock photo"),
        QCoreApplication::translate("vantrel", "The time the clock in %1 shows (HH:MM:SS):")
            .arg(photo),
        QLineEdit::Normal, QString(), &ok);
    return ok ? text.trimmed().toStdString() : std::string();
}

QPushButton* Button(const QString& text) { return new QPushButton(text); }

}  // namespace

PhotosPage::PhotosPage(Asks asks, QWidget* parent) : QWidget(parent), asks_(std::move(asks)) {
    if (!asks_.choosePaths) asks_.choosePaths = AskPathsWithDialog;
    if (!asks_.clockTime) asks_.clockTime = AskClockTimeWithDialog;
    setObjectName(QStringLiteral("sheetPhotos"));
    setAcceptDrops(true);
    model_ = new PhotoTableModel(session_, this);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("gridPhotos"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setIconSize(QSize(PhotoTableModel::kThumbnailSize, PhotoTableModel::kThumbnailSize));
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(PhotoTableModel::kThumbnailSize + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int column : {0, 1, 2, 3}) table_->setColumnWidth(column, column == 3 ? 190 : 150);
    map_ = new WebMapView;
    map_->setObjectName(QStringLiteral("webPhotos"));
    markerTimer_ = new QTimer(this);
    markerTimer_->setSingleShot(true);
    markerTimer_->setInterval(200);

    auto* below = new QWidget;
    auto* belowLayout = new QHBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);
    belowLayout->addWidget(map_, 1);
    belowLayout->addWidget(BuildControls());
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(table_);
    split->addWidget(below);
    split->setSizes({200, 320});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(split);
    Connect();
    Show();
}

PhotosPage::~PhotosPage() { worker_.Stop(); }

QWidget* PhotosPage::BuildControls() {
    add_ = Button(tr("Add photos..."));
    addFolder_ = Button(tr("Add folder..."));
    clear_ = Button(tr("Clear"));
    zone_ = new QComboBox;
    zone_->setObjectName(QStringLiteral("comboCameraZone"));
    zone_->setEditable(true);
    zone_->lineEdit()->setPlaceholderText(tr("this computer's zone"));
    zone_->addItem(QString());
    for (const std::string& name : SystemZoneNames()) zone_->addItem(QString::fromStdString(name));
    zone_->setInsertPolicy(QComboBox::NoInsert);
    offset_ = new QSpinBox;
    offset_->setObjectName(QStringLiteral("edClockOffset"));
    offset_->setRange(-7 * 86400, 7 * 86400);
    offset_->setSuffix(QStringLiteral(" s"));
    clock_ = Button(tr("From a clock photo..."));
    maxGap_ = new QSpinBox;
    maxGap_->setRange(0, 86400);
    maxGap_->setValue(static_cast<int>(kDefaultMaxGap.count()));
    maxGap_->setSuffix(QStringLiteral(" s"));
    overwrite_ = new QCheckBox(tr("Replace positions photos hold"));
    sidecar_ = new QComboBox;
    sidecar_->addItems({tr("where a photo cannot be written"),
                        tr("for every photo"), tr("never")});
    for (QComboBox* box : {zone_, sidecar_}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(12);
    }
    write_ = Button(tr("Write positions"));
    write_->setObjectName(QStringLiteral("btnWritePhotos"));
    cancel_ = Button(tr("Cancel"));
    progress_ = new QProgressBar;
    progress_->setVisible(false);
    status_ = new QLabel;
    status_->setWordWrap(true);

    auto* column = new QWidget;
    column->setFixedWidth(290);
    auto* form = new QFormLayout(column);
    form->setContentsMargins(4, 0, 0, 0);
    auto* adding = new QHBoxLayout;
    for (QPushButton* b : {add_, addFolder_, clear_}) adding->addWidget(b);
    form->addRow(adding);
    form->addRow(tr("Camera zone"), zone_);
    form->addRow(tr("Clock offset"), offset_);
    form->addRow(clock_);
    form->addRow(tr("Largest gap"), maxGap_);
    form->addRow(overwrite_);
    form->addRow(tr("XMP sidecar"), sidecar_);
    auto* writing = new QHBoxLayout;
    writing->addWidget(write_, 1);
    writing->addWidget(cancel_);
    form->addRow(writing);
    form->addRow(progress_);
    form->addRow(status_);
    return column;
}

void PhotosPage::Connect() {
    connect(add_, &QPushButton::clicked, this, [this] { AddPaths(asks_.choosePaths(false, this)); });
    connect(addFolder_, &QPushButton::clicked, this,
            [this] { AddPaths(asks_.choosePaths(true, this)); });
    connect(clear_, &QPushButton::clicked, this, [this] {
        session_.Clear();
        Show();
    });
    connect(zone_, &QComboBox::activated, this, &PhotosPage::ApplyZone);
    connect(zone_->lineEdit(), &QLineEdit::editingFinished, this, &PhotosPage::ApplyZone);
    connect(offset_, &QSpinBox::valueChanged, this, [this](int seconds) {
        session_.SetOffsetSeconds(seconds);
        Show();
    });
    connect(maxGap_, &QSpinBox::valueChanged, this, [this](int seconds) {
        session_.SetMaxGap(std::chrono::seconds(seconds));
        Show();
    });
    connect(overwrite_, &QCheckBox::toggled, this, [this](bool on) {
        session_.SetOverwrite(on);
        Show();
    });
    connect(sidecar_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_.SetSidecar(static_cast<SidecarChoice>(index));
        Show();
    });
    connect(clock_, &QPushButton::clicked, this, &PhotosPage::AskClockOffset);
    connect(write_, &QPushButton::clicked, this, &PhotosPage::WriteAll);
    connect(cancel_, &QPushButton::clicked, this, &PhotosPage::Cancel);
    connect(markerTimer_, &QTimer::timeout, this, &PhotosPage::SendMarkers);
    connect(map_, &WebMapView::documentComplete, this, [this] {
        mapReady_ = true;
        fitted_ = false;
        DrawTracks(*map_, session_.TrackList());
        SendMarkers();
    });
}

bool PhotosPage::LoadMap(const fs::path& pageFile, const CodePage& codePage) {
    mapReady_ = false;
    return map_->LoadPageFile(pageFile, codePage);
}

void PhotosPage::SetTracks(const Tracks& tracks) {
    session_.SetTracks(tracks);
    if (mapReady_) DrawTracks(*map_, tracks);
    fitted_ = false;
    Show();
    FitOnce();
}

void PhotosPage::AddPaths(std::vector<fs::path> paths) {
    if (paths.empty() || Busy()) return;
    fitted_ = false;  // the new photos come into view
    Tell(tr("Reading the photos..."));
    progress_->setRange(0, 0);
    progress_->setVisible(true);
    worker_.Start(
        [this, paths = std::move(paths)](std::stop_token stop) {
            std::vector<std::pair<fs::path, PhotoRead>> batch;
            const auto hand = [this, &batch] {
                worker_.Post([this, read = std::move(batch)]() mutable {
                    for (auto& [path, photo] : read) session_.Add(path, std::move(photo));
                    Show(true);
                });
                batch.clear();
            };
            VisitPhotos(paths, [&](const fs::path& photo, const std::string& error) {
                batch.emplace_back(photo, error.empty() ? ReadPhoto(photo) : PhotoRead{{}, error});
                if (batch.size() >= kBatch) hand();
                return !stop.stop_requested();
            });
            hand();
        },
        [this] {
            progress_->setVisible(false);
            Show();
        });
    Show();
}

void PhotosPage::WriteAll() {
    if (Busy()) return;
    std::vector<std::pair<PhotoSession::Job, PhotoReport>> jobs;
    for (PhotoSession::Job& job : session_.Jobs())
        jobs.emplace_back(std::move(job), session_.Entries()[job.index].report);
    if (jobs.empty()) return Tell(tr("No photo has a position to write."));
    progress_->setRange(0, static_cast<int>(jobs.size()));
    progress_->setValue(0);
    progress_->setVisible(true);
    const auto total = jobs.size();
    auto written = std::make_shared<std::size_t>(0);
    worker_.Start(
        [this, jobs = std::move(jobs), written](std::stop_token stop) mutable {
            for (auto& [job, prepared] : jobs) {
                if (stop.stop_requested()) break;
                CarryOut(job.write, prepared);
                worker_.Post([this, index = job.index, report = prepared, written] {
                    session_.Record(index, report);
                    progress_->setValue(static_cast<int>(++*written));
                    Show(true);
                });
            }
        },
        [this, written, total] {
            progress_->setVisible(false);
            Show();
            const QString done = QString::fromStdString(session_.Summary());
            Tell(*written < total ? tr("Cancelled after %1 of %2. ").arg(*written).arg(total) + done
                                  : done);
        });
    Show();
}

void PhotosPage::Cancel() { worker_.Stop(); }

void PhotosPage::ApplyZone() {
    const std::string error = session_.SetCameraZone(zone_->currentText().toStdString());
    Show();
    if (!error.empty()) Tell(QString::fromStdString(error), true);
}

void PhotosPage::AskClockOffset() {
    const QModelIndexList selected = table_->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return Tell(tr("Select the photo of a clock first."), true);
    const auto index = static_cast<std::size_t>(selected.front().row());
    const std::string shown = asks_.clockTime(
        QString::fromStdString(session_.Entries()[index].path.filename().string()), this);
    if (shown.empty()) return;
    const std::string error = session_.SetOffsetFromClock(index, shown);
    if (!error.empty()) return Tell(QString::fromStdString(error), true);
    const QSignalBlocker quiet(offset_);
    offset_->setValue(static_cast<int>(session_.Settings().clock.offsetSeconds));
    Show();
}

void PhotosPage::Show(bool soon) {
    model_->Refresh();
    const bool busy = Busy();
    for (QWidget* w : std::initializer_list<QWidget*>{add_, addFolder_, clear_, zone_, offset_, clock_,
                                                     maxGap_, overwrite_, sidecar_, write_})
        w->setEnabled(!busy);
    cancel_->setEnabled(busy);
    if (!busy) Tell(QString::fromStdString(session_.Summary()));
    if (soon) {
        if (!markerTimer_->isActive()) markerTimer_->start();
    } else {
        markerTimer_->stop();
        SendMarkers();
    }
}

void PhotosPage::SendMarkers() {
    if (mapReady_) {
        std::vector<PhotoMarker> markers;
        for (const PhotoSession::Entry& entry : session_.Entries())
            if (entry.report.position)
                markers.push_back({entry.report.position->latitude, entry.report.position->longitude,
                                   entry.path.filename().string()});
        ShowPhotoMarkers(*map_, markers);
        FitOnce();
    }
    emit changed();
}

void PhotosPage::FitOnce() {
    // While photos are read, the view waits for all of them.
    if (fitted_ || !mapReady_ || !map_->isVisible() || Busy()) return;
    if (session_.Entries().empty() && session_.TrackList().empty()) return;
    FitPhotosAndTracks(*map_);
    fitted_ = true;
}

void PhotosPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The map takes its size once shown; fit it then.
    QTimer::singleShot(0, this, [this] { FitOnce(); });
}

void PhotosPage::Tell(const QString& text, bool problem) {
    status_->setText(text);
    status_->setStyleSheet(problem ? QStringLiteral("color: #c92a2a") : QString());
}

void PhotosPage::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && !Busy()) event->acceptProposedAction();
}

void PhotosPage::dropEvent(QDropEvent* event) {
    AddDropped(*event->mimeData());
    event->acceptProposedAction();
}

void PhotosPage::AddDropped(const QMimeData& dropped) {
    std::vector<fs::path> paths;
    for (const QUrl& url : dropped.urls())
        if (url.isLocalFile()) paths.emplace_back(url.toLocalFile().toStdString());
    AddPaths(std::move(paths));
}

}  // namespace vantrel
