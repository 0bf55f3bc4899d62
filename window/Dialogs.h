#pragma once
// The window's three small forms: the splash, the track name and colour
// dialog and the plan title dialog. Each is created once and reused.

#include <QColor>
#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "tracks/TrackStore.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

// The splash: the logo picture, closed by its own timer 4.8 s after it was
// created or last shown.
class TdlgStartLogo : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kShowMs = 4800;
    explicit TdlgStartLogo(QWidget* parent = nullptr);
    // Loads the picture; false when the file cannot be read (the dialog then
    // shows an empty picture).
    bool LoadPicture(const std::filesystem::path& file);
    QTimer timerStart;

  private:
    QLabel* imgLogoStart_;
};

// The colour dialog's part, replaceable in tests: given the colour to start
// from, the colour chosen (the one given when the user cancels).
using ColorChooser = std::function<QColor(const QColor& initial, QWidget* parent)>;
QColor AskColorWithDialog(const QColor& initial, QWidget* parent);

class TdlgModifyTrackName : public QDialog {
    Q_OBJECT
  public:
    explicit TdlgModifyTrackName(QWidget* parent = nullptr);

    void SetColorChooser(ColorChooser chooser) { chooseColor_ = std::move(chooser); }
    // Shows the dialog filled from `state` modally. The colour button writes
    // trackColor at once (kept even after Cancel); OK writes the name back.
    bool Run(ModifyTrackDialog& state);

    QLineEdit* edTrackName;
    QPushButton* btnColor;
    QCheckBox* cbSave;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  private:
    void btnColorClick();
    void ShowColor(std::uint32_t color);

    ColorChooser chooseColor_ = AskColorWithDialog;
    ModifyTrackDialog* state_ = nullptr;
};

class TdlgPlanName : public QDialog {
    Q_OBJECT
  public:
    explicit TdlgPlanName(QWidget* parent = nullptr);
    // The accepted title, or nothing after Cancel.
    std::optional<std::string> Run(const std::string& title);

    QLineEdit* edPlanTitle;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

}  // namespace vantrel
