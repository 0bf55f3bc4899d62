#include "window/FileDialogs.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace vantrel {

namespace {

QString FormatName(FileFormat format) {
    switch (format) {
        case FileFormat::Trk: return QCoreApplication::translate("vantrel", "Track Files");
        case FileFormat::Rte: return QCoreApplication::translate("vantrel", "Route Plans");
        case FileFormat::Wpt: return QCoreApplication::translate("vantrel", "Points of Interest");
        case FileFormat::Gpx: return QCoreApplication::translate("vantrel", "GPX Files");
        case FileFormat::Kml: return QCoreApplication::translate("vantrel", "KML Files");
        case FileFormat::Csv: return QCoreApplication::translate("vantrel", "CSV Files");
    }
    return {};
}

QString SuffixOf(const FileFilter& filter) {
    return filter.format ? QString::fromLatin1(ExtensionOf(*filter.format).substr(1).data(), 3)
                         : QString();
}

}  // namespace

std::vector<FileFilter> FiltersOf(std::span<const FileFormat> formats) {
    std::vector<FileFilter> filters;
    for (FileFormat format : formats) {
        const std::string_view extension = ExtensionOf(format);
        filters.push_back({FormatName(format),
                           QLatin1Char('*') + QString::fromLatin1(extension.data(),
                                                                  static_cast<qsizetype>(extension.size())),
                           format});
    }
    filters.push_back(
        {QCoreApplication::translate("vantrel", "All Files"), QStringLiteral("*"), std::nullopt});
    return filters;
}

FileChoice AskFileWithDialog(const FileDialogRequest& request, QWidget* parent) {
    QFileDialog dialog(parent, request.title, request.folder);
    QStringList names;
    for (const FileFilter& filter : request.filters)
        names << filter.Text();
    dialog.setNameFilters(names);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A name typed without an extension gets the chosen filter's.
    auto suffix = [&](const QString& name) {
        const qsizetype index = names.indexOf(name);
        if (index >= 0) dialog.setDefaultSuffix(SuffixOf(request.filters[std::size_t(index)]));
    };
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, suffix);
    if (!names.isEmpty()) suffix(names.front());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const qsizetype chosen = names.indexOf(dialog.selectedNameFilter());
    return {dialog.selectedFiles().front().toStdString(),
            chosen >= 0 ? request.filters[std::size_t(chosen)].format : std::nullopt};
}

}  // namespace vantrel
