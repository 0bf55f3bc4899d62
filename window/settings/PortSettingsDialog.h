#pragma once
// The port settings dialog of one device component: the port, the line
// settings, the modem settings and the two queue sizes, checked field by
// field and applied together (or all put back when applying fails). The
// logic lives in TForm_KxCommDevice_Settings; this window shows its fields
// and reports its outcome.

#include <QDialog>
#include <array>
#include <memory>
#include <vector>

#include "base/UserMessages.h"
#include "serial/PortSettingsForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

// Message boxes with the error icon, over a parent window.
class ErrorMessageBoxes : public UserMessages {
  public:
    explicit ErrorMessageBoxes(QWidget* parent) : parent_(parent) {}
    void ShowMessage(std::string_view text, std::string_view caption) override;

  private:
    QWidget* parent_;
};

class PortSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    struct Options {
        std::vector<std::string> ports;  // what the port box offers
        TComm32Language language;
        bool designMode = false;           // shows About and Default
        UserMessages* messages = nullptr;  // the dialog's own message boxes when null
    };
    // With the system's port list, the user's language and message boxes.
    static Options SystemOptions();

    PortSettingsDialog(QWidget* owner, TKxCustomCommDevice& device, bool flag, Options options);
    ~PortSettingsDialog() override;

    TForm_KxCommDevice_Settings& Form() { return form_; }

    // The fields in focus order: CbPort, CbSelBaud, CbParity, CbByteSize,
    // CbStopBits, CbFlow, EditAutoAns, EditInBufSize, EditOutBufSize.
    QWidget* Field(TSettingsField field) const;
    QPushButton* OkButton() const { return bnOK_; }
    QPushButton* CancelButton() const { return bnCancel_; }
    QPushButton* DefaultButton() const { return bnDefault_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildBaseGroup();
    void BuildModemGroup();
    void BuildBufferGroup();
    void BuildButtons(bool designMode);
    QGroupBox* Group(int msg, int left, int top, int height);
    QComboBox* Row(QGroupBox* box, int row, int msg, const std::vector<std::string>& items,
                   bool editable = false);
    QLineEdit* EditRow(QGroupBox* box, int row, int msg);
    // A field in its row of a group box, with its label beside it.
    void Place(QGroupBox* box, int row, int msg, QWidget* field);
    QPushButton* Button(int msg, int left);

    void ShowFields();
    void TakeFields();
    void TakeFocus();
    void GiveFocus();

    void BnOKClick();
    void BnDefaultClick();

    TForm_KxCommDevice_Settings form_;
    std::unique_ptr<UserMessages> ownMessages_;
    UserMessages* messages_;
    QComboBox* cbPort_ = nullptr;
    QComboBox* cbSelBaud_ = nullptr;
    QComboBox* cbParity_ = nullptr;
    QComboBox* cbByteSize_ = nullptr;
    QComboBox* cbStopBits_ = nullptr;
    QComboBox* cbFlow_ = nullptr;
    QLineEdit* editAutoAns_ = nullptr;
    QLineEdit* editInBufSize_ = nullptr;
    QLineEdit* editOutBufSize_ = nullptr;
    QPushButton* bnAbout_ = nullptr;
    QPushButton* bnDefault_ = nullptr;
    QPushButton* bnOK_ = nullptr;
    QPushButton* bnCancel_ = nullptr;
    std::array<QWidget*, 9> fields_{};
};

// Shows the dialog for the component modally; true when it closed with OK.
// With flag true, accepting leaves the port open even when it was closed.
bool SettingsDialog(QWidget* owner, TKxCustomCommDevice& device, bool flag);

}  // namespace vantrel
