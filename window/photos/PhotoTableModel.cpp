#include "window/photos/PhotoTableModel.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <filesystem>

namespace vantrel {

namespace {

constexpr std::uintmax_t kMostDecodedBytes = std::uintmax_t{32} << 20;

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Where a photo goes: its position, or why it has none.
QString WhereText(const PhotoSession::Entry& entry) {
    if (entry.report.position) return Text(PositionText(*entry.report.position));
    if (!entry.facts) return QStringLiteral("-");
    return Text(entry.placement.reason.empty() ? entry.report.detail : entry.placement.reason);
}

QColor OutcomeColour(PhotoOutcome outcome) {
    switch (outcome) {
        case PhotoOutcome::Written:
        case PhotoOutcome::Sidecar: return QColor(0x2b, 0x8a, 0x3e);
        case PhotoOutcome::Unreadable:
        case PhotoOutcome::NotWritten: return QColor(0xc9, 0x2a, 0x2a);
        case PhotoOutcome::Unplaced: return QColor(0x86, 0x8e, 0x96);
        case PhotoOutcome::WouldWrite:
        case PhotoOutcome::Kept: break;
    }
    return {};
}

}  // namespace

QPixmap PhotoThumbnail(const std::filesystem::path& photo, int size) {
    QImage image;
    const std::string preview = EmbeddedPreview(photo, size * 2);
    if (!preview.empty())
        image.loadFromData(reinterpret_cast<const uchar*>(preview.data()),
                           static_cast<int>(preview.size()));
    std::error_code error;
    if (image.isNull() && std::filesystem::file_size(photo, error) <= kMostDecodedBytes && !error) {
        QImageReader reader(QString::fromStdString(photo.string()));
        reader.setAutoTransform(true);
        const QSize full = reader.size();
        if (full.isValid()) reader.setScaledSize(full.scaled(size, size, Qt::KeepAspectRatio));
        image = reader.read();
    }
    if (image.isNull()) return {};
    return QPixmap::fromImage(
        image.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

PhotoTableModel::PhotoTableModel(const PhotoSession& session, QObject* parent)
    : QAbstractTableModel(parent), session_(session) {}

int PhotoTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int PhotoTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PhotoTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[] = {
        QT_TRANSLATE_NOOP("vantrel", "Photo"), QT_TRANSLATE_NOOP("vantrel", "Camera time"),
        QT_TRANSLATE_NOOP("vantrel", "UTC"), QT_TRANSLATE_NOOP("vantrel", "Where"),
        QT_TRANSLATE_NOOP("vantrel", "Result")};
    return section >= 0 && section < ColumnCount
               ? QCoreApplication::translate("vantrel", kTitles[section])
               : QVariant();
}

QVariant PhotoTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    const auto& entry = session_.Entries()[static_cast<std::size_t>(index.row())];
    if (role == Qt::DecorationRole && index.column() == Name) return Thumbnail(entry.path);
    if (role == Qt::ForegroundRole && index.column() == Result)
        return QBrush(OutcomeColour(entry.report.outcome));
    if (role == Qt::ToolTipRole) return Text(entry.path.string());
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case Name: return Text(entry.path.filename().string());
        case CameraTime: return Text(entry.report.cameraTime);
        case Utc: return Text(entry.report.utcTime);
        case Where: return WhereText(entry);
        case Result:  // an unplaced photo's reason is where it would have gone
            return entry.report.outcome == PhotoOutcome::Unplaced ? QString() : Text(entry.report.detail);
        default: return {};
    }
}

void PhotoTableModel::Refresh() {
    if (session_.Revision() == shown_) return;
    shown_ = session_.Revision();
    const int rows = static_cast<int>(session_.Entries().size());
    if (rows != rows_) {
        beginResetModel();
        rows_ = rows;
        endResetModel();
    } else if (rows > 0) {
        emit dataChanged(index(0, 0), index(rows - 1, ColumnCount - 1));
    }
}

QPixmap PhotoTableModel::Thumbnail(const std::filesystem::path& photo) const {
    const QString key = QString::fromStdString(photo.string());
    if (QPixmap* cached = thumbnails_.object(key)) return *cached;
    QPixmap pixmap = PhotoThumbnail(photo, kThumbnailSize);
    thumbnails_.insert(key, new QPixmap(pixmap));
    return pixmap;
}

}  // namespace vantrel
