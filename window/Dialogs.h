#pragma once
// The window's small forms: the splash, the track name and colour dialog,
// the serial port, the plan title and the speed limit of Drop Outliers.
// Each is created once and reused.

#include <QColor>
#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "base/UserMessages.h"
#include "tracks/TrackStore.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

// What a dialog's text field may hold: the reason a text is refused (then
// shown, and the dialog stays open), or empty text. `messages` shows it.
struct TextRule {
    std::function<std::string(const std::string&)> refusal;
    UserMessages* messages = nullptr;
};

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
    void SetNameRule(TextRule rule) { rule_ = std::move(rule); }
    // Shows the dialog filled from `state` modally. The colour button writes
    // trackColor at once (kept even after Cancel); OK writes the name and
    // the Select box back, unless the rule refuses the name.
    bool Run(ModifyTrackDialog& state);
    void accept() override;

    QLineEdit* edTrackName;
    QPushButton* btnColor;
    QCheckBox* cbSave;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  private:
    void btnColorClick();
    void ShowColor(std::uint32_t color);

    ColorChooser chooseColor_ = AskColorWithDialog;
    TextRule rule_;
    ModifyTrackDialog* state_ = nullptr;
};

// The serial port the device is reached on: one of the system's serial
// ports (each shown with its driver), a path typed in, or "find it
// automatically" (the first port of the device's bridge).
class TdlgChoosePort : public QDialog {
    Q_OBJECT
  public:
    explicit TdlgChoosePort(QWidget* parent = nullptr);
    // Shows the system's ports with `chosen` picked (automatic when empty);
    // the port picked after OK (empty for automatic), nothing after Cancel.
    std::optional<std::string> Run(const std::string& chosen);

    QComboBox* comboChosenPort;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

class TdlgPlanName : public QDialog {
    Q_OBJECT
  public:
    explicit TdlgPlanName(QWidget* parent = nullptr);
    void SetTitleRule(TextRule rule) { rule_ = std::move(rule); }
    // The accepted title, or nothing after Cancel; OK does not close the
    // dialog over a title the rule refuses.
    std::optional<std::string> Run(const std::string& title);
    void accept() override;

    QLineEdit* edPlanTitle;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

  private:
    TextRule rule_;
};

// The speed above which Drop Outliers takes a point for a bad fix, in km/h;
// it starts at the limit last accepted.
class TdlgMaxSpeed : public QDialog {
    Q_OBJECT
  public:
    explicit TdlgMaxSpeed(QWidget* parent = nullptr);
    // The limit accepted with OK, or nothing after Cancel.
    std::optional<double> Run();

    QDoubleSpinBox* edMaxSpeed;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
};

}  // namespace vantrel
