#pragma once
// The Photos page's table: one row per photo with its thumbnail and name,
// camera time, UTC time, where it goes (or why it goes nowhere) and what
// writing it gave. Rows are read from the session when shown; thumbnails
// are loaded when a row is first drawn and kept for the rows seen last.

#include <QAbstractTableModel>
#include <QCache>
#include <QPixmap>
#include <cstdint>

#include "photos/PhotoSession.h"

namespace vantrel {

class PhotoTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kThumbnailSize = 48;
    enum Column { Name, CameraTime, Utc, Where, Result, ColumnCount };

    explicit PhotoTableModel(const PhotoSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Shows the session again when it changed since the last time.
    void Refresh();

  private:
    QPixmap Thumbnail(const std::filesystem::path& photo) const;

    const PhotoSession& session_;
    std::uint64_t shown_ = ~std::uint64_t{0};
    int rows_ = 0;
    mutable QCache<QString, QPixmap> thumbnails_{600};
};

// A photo's thumbnail: its embedded preview, else (for files up to 32 MB)
// the image itself decoded at thumbnail size; a null pixmap when neither.
QPixmap PhotoThumbnail(const std::filesystem::path& photo, int size);

}  // namespace vantrel
