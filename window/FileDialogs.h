#pragma once
// The window's file dialogs: what a dialog is asked for (its title, its
// filters, the folder it starts in) and what it answers (the path and the
// filter the user left chosen). The dialog itself is replaceable in tests.

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/FileFormats.h"

namespace vantrel {

// One entry of a dialog's filter list: "GPX Files (*.gpx)" standing for its
// format; "All Files (*)" and other entries stand for none.
struct FileFilter {
    QString name;
    QString pattern;
    std::optional<FileFormat> format;
    QString Text() const { return name + QStringLiteral(" (") + pattern + QLatin1Char(')'); }
};

struct FileDialogRequest {
    bool save = false;
    QString title;
    std::vector<FileFilter> filters;
    QString folder;  // where the dialog starts; empty for the current folder
};

// The chosen path (empty when the user cancelled) and the format of the
// filter chosen with it.
struct FileChoice {
    std::string path;
    std::optional<FileFormat> filter;
};

using FileChooser = std::function<FileChoice(const FileDialogRequest&, QWidget* parent)>;
FileChoice AskFileWithDialog(const FileDialogRequest& request, QWidget* parent);

// The filters of the formats, in their order, with "All Files" last.
std::vector<FileFilter> FiltersOf(std::span<const FileFormat> formats);

}  // namespace vantrel
