// TfmMain (MainWindow.h), continued: the lists as files. Open and Save of
// the Track, Plan and POI pages, the question before unsaved changes are
// lost, and files that come from outside (dropped on the window, named on
// the command line, handed over by a second launch).

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTabWidget>

#include "tracks/TrackFile.h"
#include "window/MainWindow.h"

namespace vantrel {

namespace {

// The setting that keeps the folder a page's files were last chosen in.
std::string_view FolderSetting(ListKind kind) {
    switch (kind) {
        case ListKind::Track: return "tracks_folder";
        case ListKind::Plan: return "plan_folder";
        case ListKind::Poi: return "poi_folder";
    }
    return {};
}

}  // namespace

ListKind TfmMain::CurrentList() const {
    QWidget* page = pgctlMain->currentWidget();
    if (page == sheetPlan) return ListKind::Plan;
    if (page == sheetPOI) return ListKind::Poi;
    return ListKind::Track;
}

QWidget* TfmMain::SheetOf(ListKind kind) const {
    switch (kind) {
        case ListKind::Track: return sheetTrack;
        case ListKind::Plan: return sheetPlan;
        case ListKind::Poi: return sheetPOI;
    }
    return sheetTrack;
}

QString TfmMain::ListName(ListKind kind) const {
    switch (kind) {
        case ListKind::Track: return tr("the tracks");
        case ListKind::Plan: return tr("the plan");
        case ListKind::Poi: return tr("the POIs");
    }
    return {};
}

QString TfmMain::DialogTitle(ListKind kind, bool save) const {
    switch (kind) {
        case ListKind::Track: return save ? tr("Save Track Data To File") : tr("Open Track File");
        case ListKind::Plan:
            return save ? tr("Save Track Plan To File") : tr("Open Track Plan From File");
        case ListKind::Poi: return save ? tr("Save POIs To File") : tr("Open POI File");
    }
    return {};
}

FileChoice TfmMain::ChooseListFile(ListKind kind, bool save) {
    const std::string_view setting = FolderSetting(kind);
    FileDialogRequest request{save, DialogTitle(kind, save),
                              FiltersOf(save ? SaveFormats(kind) : OpenFormats(kind)),
                              QString::fromStdString(settings_.ReadString(setting))};
    FileChoice choice = options_.chooseFile(request, this);
    if (!choice.path.empty())
        settings_.WriteString(setting, QFileInfo(QString::fromStdString(choice.path))
                                           .absolutePath()
                                           .toStdString());
    return choice;
}

bool TfmMain::MayReplace(ListKind kind, const QString& action) {
    if (!core_->Modified(kind)) return true;
    const QString text =
        tr("There are changes to %1 that are not saved; %2 would lose them.\n\nSave them first?")
            .arg(ListName(kind), action);
    switch (Ask(text.toStdString(), tr("Unsaved Changes").toStdString())) {
        case QuestionAnswer::Yes: return SaveListFile(kind);
        case QuestionAnswer::No: return true;
        case QuestionAnswer::Cancel: return false;
    }
    return false;
}

void TfmMain::OpenListFile(ListKind kind) {
    if (!MayReplace(kind, tr("opening another file"))) return;
    const FileChoice choice = ChooseListFile(kind, false);
    if (!choice.path.empty()) Handle([&] { Tell(core_->OpenFile(kind, choice.path)); });
}

bool TfmMain::SaveListFile(ListKind kind) {
    if (!core_->CanSave(kind)) return false;
    const FileChoice choice = ChooseListFile(kind, true);
    if (choice.path.empty()) return false;
    SaveTarget target = ChooseSaveTarget(choice.path, choice.filter, SaveFormats(kind));
    bool saved = false;
    Handle([&] {
        if (kind == ListKind::Track && !MaySaveTrackFile(target)) return;
        const FileResult result = core_->SaveFile(kind, target.path, target.format);
        Tell(result);
        saved = !result.Refused();
    });
    return saved;
}

// A track file that cannot hold every selected track offers GPX, which does.
bool TfmMain::MaySaveTrackFile(SaveTarget& target) {
    const TrackFileFit fit = TrackFileFitOf(core_->tracks.Selected());
    if (target.format != FileFormat::Trk || fit.Complete()) return true;
    const std::string gpx =
        std::filesystem::path(target.path).replace_extension(".gpx").string();
    const QString text = tr("A track file holds at most 64 tracks and 65536 points: %1 would be "
                            "left out.\n\nSave every track as GPX instead, to %2?")
                             .arg(QString::fromStdString(fit.Text()), QString::fromStdString(gpx));
    switch (Ask(text.toStdString(), tr("Save Tracks").toStdString())) {
        case QuestionAnswer::Yes: target = {gpx, FileFormat::Gpx}; return true;
        case QuestionAnswer::No: return true;
        case QuestionAnswer::Cancel: return false;
    }
    return false;
}

void TfmMain::OpenFiles(const QStringList& files) {
    for (const QString& file : files) {
        const std::string path = QFileInfo(file).absoluteFilePath().toStdString();
        const std::optional<ListKind> kind = ListKindOfFile(path);
        if (!kind) {
            messages_.ShowMessage(
                tr("Cannot open %1: the program opens track files (.trk), GPX, route plans "
                   "(.rte), POI files (.wpt) and their CSV files.")
                    .arg(QFileInfo(file).fileName())
                    .toStdString(),
                "Error");
            continue;
        }
        pgctlMain->setCurrentWidget(SheetOf(*kind));
        if (MayReplace(*kind, tr("opening another file")))
            Handle([&] { Tell(core_->OpenFile(*kind, path)); });
    }
}

void TfmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TfmMain::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    event->acceptProposedAction();
    // After the drop has ended: the questions and messages are modal.
    QTimer::singleShot(1, this, [this, files] { OpenFiles(files); });
}

void TfmMain::closeEvent(QCloseEvent* event) {
    for (ListKind kind : kListKinds) {
        if (MayReplace(kind, tr("closing the window"))) continue;
        event->ignore();
        return;
    }
    SaveWindowState();
    event->accept();
}

}  // namespace vantrel
