#pragma once
// The Photos page: photos added by dialog or dropped on the page, each with
// its thumbnail, camera time, UTC time and where it will go; the same photos
// as markers on a map with the tracks, moved at once when the clock offset,
// the camera zone or the largest gap changes; one button that writes them
// all, with progress and a cancel, and each photo's result in its row.
// Reading and writing run on a worker thread; the session is touched only on
// the window's thread.

#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "locale/CodePage.h"
#include "photos/PhotoSession.h"
#include "window/photos/PhotoWorker.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMimeData;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace vantrel {

class PhotoTableModel;
class WebMapView;

class PhotosPage : public QWidget {
    Q_OBJECT
  public:
    // What needs a person, replaceable in tests: paths chosen (empty when
    // cancelled), and the time a clock in a photo showed (empty: cancelled).
    struct Asks {
        std::function<std::vector<std::filesystem::path>(bool folder, QWidget* parent)> choosePaths;
        std::function<std::string(const QString& photo, QWidget* parent)> clockTime;
    };

    explicit PhotosPage(Asks asks = {}, QWidget* parent = nullptr);
    ~PhotosPage() override;

    // Loads the track page (its photo functions with it).
    bool LoadMap(const std::filesystem::path& pageFile, const CodePage& codePage);
    void SetTracks(const Tracks& tracks);
    // Reads the photos (folders with their subfolders) on the worker.
    void AddPaths(std::vector<std::filesystem::path> paths);
    // What a drop on the page adds: the local files and folders of its URLs.
    void AddDropped(const QMimeData& dropped);
    void WriteAll();
    void Cancel();
    bool Busy() const { return worker_.Busy(); }

    const PhotoSession& Session() const { return session_; }
    WebMapView* Map() const { return map_; }
    QComboBox* CameraZone() const { return zone_; }
    QSpinBox* Offset() const { return offset_; }
    QTableView* Table() const { return table_; }
    QLabel* Status() const { return status_; }

  signals:
    // After the page showed a change of the session (and sent the markers).
    void changed();

  protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    QWidget* BuildControls();
    void Connect();
    void ApplyZone();
    void AskClockOffset();
    // Shows the session: the table, the markers (now, or soon when `soon`),
    // the buttons and the status line.
    void Show(bool soon = false);
    void SendMarkers();
    // Fits the map to the photos and tracks once they changed, when it shows.
    void FitOnce();
    void Tell(const QString& text, bool problem = false);

    Asks asks_;
    PhotoSession session_;
    PhotoWorker worker_{this};
    PhotoTableModel* model_ = nullptr;
    WebMapView* map_ = nullptr;
    QTableView* table_ = nullptr;
    QComboBox* zone_ = nullptr;
    QSpinBox* offset_ = nullptr;
    QSpinBox* maxGap_ = nullptr;
    QCheckBox* overwrite_ = nullptr;
    QComboBox* sidecar_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* addFolder_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* clock_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QTimer* markerTimer_ = nullptr;
    bool mapReady_ = false;
    bool fitted_ = false;  // the view was fitted to what it shows
};

}  // namespace vantrel
