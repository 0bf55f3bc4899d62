#include "window/settings/PortSettingsDialog.h"

#include "window/PlainText.h"
#include "window/UiFont.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace vantrel {

namespace {

using Form = TForm_KxCommDevice_Settings;

// Rows inside a group box: labels at the left, boxes beside them.
constexpr int kFirstRowTop = 24;
constexpr int kRowStep = 32;
constexpr int kLabelLeft = 8;
constexpr int kLabelWidth = 54;
constexpr int kBoxLeft = 64;
constexpr int kBoxWidth = 105;
constexpr int kBoxHeight = 21;
constexpr int kGroupWidth = 185;
constexpr int kButtonTop = 200;
constexpr int kButtonHeight = 25;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Shrinks a label's font (down to 6 points) until its text fits its width:
// the labels keep their places whatever face stands in for Tahoma.
void FitLabel(QLabel* label) {
    QFont font = label->font();
    while (font.pointSizeF() > 6 &&
           QFontMetrics(font).horizontalAdvance(label->text().remove('&')) > label->width()) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    label->setFont(font);
}

int RowTop(int row) {
    return kFirstRowTop + row * kRowStep;
}

}  // namespace

void ErrorMessageBoxes::ShowMessage(std::string_view text, std::string_view caption) {
    ShowPlainMessage(parent_, QMessageBox::Critical, Text(std::string(caption)),
                     Text(std::string(text)));
}

PortSettingsDialog::Options PortSettingsDialog::SystemOptions() {
    return {TCommSerialPortInfo().PortList(), TComm32Language(), false, nullptr};
}

PortSettingsDialog::PortSettingsDialog(QWidget* owner, TKxCustomCommDevice& device, bool flag,
                                       Options options)
    : QDialog(owner), form_(device, flag, std::move(options.ports), options.language) {
    if (options.messages) {
        messages_ = options.messages;
    } else {
        ownMessages_ = std::make_unique<ErrorMessageBoxes>(this);
        messages_ = ownMessages_.get();
    }
    setWindowTitle(Text(form_.fGetMsg(Form::msCaption)));
    setFont(UiFont());
    setFixedSize(Form::ClientWidth, Form::ClientHeight);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    BuildBaseGroup();
    BuildModemGroup();
    BuildBufferGroup();
    BuildButtons(options.designMode);
    fields_ = {cbPort_, cbSelBaud_,   cbParity_,      cbByteSize_,    cbStopBits_,
               cbFlow_, editAutoAns_, editInBufSize_, editOutBufSize_};
    for (QWidget* field : fields_)
        field->installEventFilter(this);
    cbSelBaud_->lineEdit()->installEventFilter(this);
    ShowFields();
}

PortSettingsDialog::~PortSettingsDialog() = default;

QGroupBox* PortSettingsDialog::Group(int msg, int left, int top, int height) {
    auto* box = new QGroupBox(Text(form_.fGetMsg(msg)), this);
    box->setGeometry(left, top, kGroupWidth, height);
    return box;
}

QComboBox* PortSettingsDialog::Row(QGroupBox* box, int row, int msg,
                                   const std::vector<std::string>& items, bool editable) {
    auto* combo = new QComboBox(box);
    combo->setEditable(editable);
    if (editable) combo->setInsertPolicy(QComboBox::NoInsert);
    for (const auto& item : items)
        combo->addItem(Text(item));
    Place(box, row, msg, combo);
    return combo;
}

QLineEdit* PortSettingsDialog::EditRow(QGroupBox* box, int row, int msg) {
    auto* edit = new QLineEdit(box);
    Place(box, row, msg, edit);
    return edit;
}

void PortSettingsDialog::Place(QGroupBox* box, int row, int msg, QWidget* field) {
    auto* label = PlainLabel(new QLabel(Text(form_.fGetMsg(msg)), box));
    label->setGeometry(kLabelLeft, RowTop(row) + 2, kLabelWidth, kBoxHeight - 4);
    FitLabel(label);
    field->setGeometry(kBoxLeft, RowTop(row), kBoxWidth, kBoxHeight);
    label->setBuddy(field);
}

void PortSettingsDialog::BuildBaseGroup() {
    QGroupBox* box = Group(Form::msPortGroup, 8, 8, 185);
    box->setObjectName(QStringLiteral("GboxBase"));
    cbPort_ = Row(box, 0, Form::msPortLabel, form_.PortItems());
    cbSelBaud_ = Row(box, 1, Form::msBaudLabel, Form::BaudItems(), true);
    cbParity_ = Row(box, 2, Form::msParityLabel, form_.ParityItems());
    cbByteSize_ = Row(box, 3, Form::msByteSizeLabel, Form::ByteSizeItems());
    cbStopBits_ = Row(box, 4, Form::msStopBitsLabel, Form::StopBitsItems());
}

void PortSettingsDialog::BuildModemGroup() {
    QGroupBox* box = Group(Form::msModemGroup, 200, 8, 89);
    box->setObjectName(QStringLiteral("GBoxModem"));
    cbFlow_ = Row(box, 0, Form::msFlowLabel, form_.FlowItems());
    editAutoAns_ = EditRow(box, 1, Form::msAutoAnswerLabel);
}

void PortSettingsDialog::BuildBufferGroup() {
    QGroupBox* box = Group(Form::msBufferGroup, 200, 104, 89);
    box->setObjectName(QStringLiteral("GBoxBuffer"));
    editInBufSize_ = EditRow(box, 0, Form::msInBufLabel);
    editOutBufSize_ = EditRow(box, 1, Form::msOutBufLabel);
}

QPushButton* PortSettingsDialog::Button(int msg, int left) {
    auto* button = new QPushButton(Text(form_.fGetMsg(msg)), this);
    button->setGeometry(left, kButtonTop, Form::ButtonWidth, kButtonHeight);
    return button;
}

void PortSettingsDialog::BuildButtons(bool designMode) {
    const auto places = Form::ButtonPlaces(designMode);
    bnAbout_ = Button(Form::msAbout, 8);
    bnDefault_ = Button(Form::msDefault, 152);
    bnOK_ = Button(Form::msOK, places.OkLeft);
    bnCancel_ = Button(Form::msCancel, places.CancelLeft);
    bnAbout_->setVisible(places.ShowAboutAndDefault);
    bnDefault_->setVisible(places.ShowAboutAndDefault);
    bnOK_->setDefault(true);
    connect(bnOK_, &QPushButton::clicked, this, &PortSettingsDialog::BnOKClick);
    connect(bnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(bnDefault_, &QPushButton::clicked, this, &PortSettingsDialog::BnDefaultClick);
}

QWidget* PortSettingsDialog::Field(TSettingsField field) const {
    const auto index = static_cast<std::size_t>(field);
    return index < fields_.size() ? fields_[index] : nullptr;
}

void PortSettingsDialog::ShowFields() {
    const TSettingsFieldValues& f = form_.Fields;
    cbPort_->setCurrentIndex(f.PortIndex);
    cbSelBaud_->setCurrentIndex(cbSelBaud_->findText(Text(f.BaudText)));
    cbSelBaud_->setEditText(Text(f.BaudText));
    cbParity_->setCurrentIndex(f.ParityIndex);
    cbByteSize_->setCurrentIndex(f.ByteSizeIndex);
    cbStopBits_->setCurrentIndex(f.StopBitsIndex);
    cbFlow_->setCurrentIndex(f.FlowIndex);
    editAutoAns_->setText(Text(f.AutoAnswerText));
    editInBufSize_->setText(Text(f.InBufSizeText));
    editOutBufSize_->setText(Text(f.OutBufSizeText));
}

void PortSettingsDialog::TakeFields() {
    TSettingsFieldValues& f = form_.Fields;
    f.PortIndex = cbPort_->currentIndex();
    f.BaudText = cbSelBaud_->currentText().toStdString();
    f.ParityIndex = cbParity_->currentIndex();
    f.ByteSizeIndex = cbByteSize_->currentIndex();
    f.StopBitsIndex = cbStopBits_->currentIndex();
    f.FlowIndex = cbFlow_->currentIndex();
    f.AutoAnswerText = editAutoAns_->text().toStdString();
    f.InBufSizeText = editInBufSize_->text().toStdString();
    f.OutBufSizeText = editOutBufSize_->text().toStdString();
}

// Which field holds the focus (an editable box's own edit counts as the box).
void PortSettingsDialog::TakeFocus() {
    const QWidget* focused = focusWidget();
    form_.Focus = TSettingsField::None;
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (focused && (focused == fields_[i] || fields_[i]->isAncestorOf(focused)))
            form_.Focus = static_cast<TSettingsField>(i);
}

void PortSettingsDialog::GiveFocus() {
    if (QWidget* field = Field(form_.Focus)) field->setFocus(Qt::OtherFocusReason);
}

void PortSettingsDialog::BnOKClick() {
    TakeFields();
    TakeFocus();
    const auto outcome = form_.BnOKClick();
    GiveFocus();
    switch (outcome.Result) {
        case Form::TOkResult::FocusMoved:
            return;
        case Form::TOkResult::Invalid:
        case Form::TOkResult::ApplyFailed:
            messages_->ShowMessage(outcome.Message, form_.fGetMsg(Form::msCaption));
            return;
        case Form::TOkResult::Accepted:
            accept();
    }
}

void PortSettingsDialog::BnDefaultClick() {
    TakeFields();
    form_.BnDefaultClick();
    ShowFields();
}

// Enter in a field does what the default button does: it moves on to the
// next field (and from the last one, applies).
bool PortSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            BnOKClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void PortSettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

bool SettingsDialog(QWidget* owner, TKxCustomCommDevice& device, bool flag) {
    PortSettingsDialog dialog(owner, device, flag, PortSettingsDialog::SystemOptions());
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace vantrel
