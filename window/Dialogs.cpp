#include "window/Dialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "serial/TCommSerialPortInfo.h"
#include "window/CellBrushDelegate.h"

namespace vantrel {

namespace {

// OK (default, accepts) and Cancel (rejects) side by side.
QHBoxLayout* OkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
    ok = new QPushButton(QCoreApplication::translate("vantrel", "OK"), dialog);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    cancel = new QPushButton(QCoreApplication::translate("vantrel", "Cancel"), dialog);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// True when the rule takes the text; otherwise its refusal is shown.
bool Takes(const TextRule& rule, const QLineEdit* edit) {
    if (!rule.refusal) return true;
    std::string refused = rule.refusal(edit->text().toStdString());
    if (refused.empty()) return true;
    refused[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(refused[0])));
    if (rule.messages) rule.messages->ShowMessage(refused, "Warning");
    return false;
}

}  // namespace

TdlgStartLogo::TdlgStartLogo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      imgLogoStart_(new QLabel(this)) {
    setObjectName(QStringLiteral("dlgStartLogo"));
    setWindowTitle(tr("Vantrel Services"));
    imgLogoStart_->setObjectName(QStringLiteral("imgLogoStart"));
    imgLogoStart_->setFixedSize(800, 491);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(imgLogoStart_);
    timerStart.setInterval(kShowMs);
    connect(&timerStart, &QTimer::timeout, this, &QDialog::accept);
    timerStart.start();
}

bool TdlgStartLogo::LoadPicture(const std::filesystem::path& file) {
    QPixmap picture(QString::fromStdString(file.string()));
    if (picture.isNull()) return false;
    imgLogoStart_->setPixmap(picture);
    return true;
}

QColor AskColorWithDialog(const QColor& initial, QWidget* parent) {
    QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? chosen : initial;
}

TdlgModifyTrackName::TdlgModifyTrackName(QWidget* parent)
    : QDialog(parent),
      edTrackName(new QLineEdit(QStringLiteral("yes"), this)),
      btnColor(new QPushButton(tr("Color"), this)),
      cbSave(new QCheckBox(tr("Selected To Save"), this)) {
    setObjectName(QStringLiteral("dlgModifyTrackName"));
    setWindowTitle(tr("Modify Track Name & Color"));
    setMinimumSize(301, 117);
    edTrackName->setObjectName(QStringLiteral("edTrackName"));
    btnColor->setObjectName(QStringLiteral("btnColor"));
    cbSave->setObjectName(QStringLiteral("cbSave"));
    cbSave->setChecked(true);
    connect(btnColor, &QPushButton::clicked, this, [this] { btnColorClick(); });

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(tr("Track Name:"), this));
    nameRow->addWidget(edTrackName);
    nameRow->addWidget(btnColor);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(cbSave);
    layout->addLayout(OkCancelRow(this, OKBtn, CancelBtn));
}

void TdlgModifyTrackName::ShowColor(std::uint32_t color) {
    QPalette palette = btnColor->palette();
    palette.setColor(QPalette::ButtonText, ColorFromBgr(color));
    btnColor->setPalette(palette);
}

void TdlgModifyTrackName::btnColorClick() {
    if (state_ == nullptr) return;
    ShowColor(state_->trackColor);
    state_->trackColor = BgrFromColor(chooseColor_(ColorFromBgr(state_->trackColor), this));
    ShowColor(state_->trackColor);
}

bool TdlgModifyTrackName::Run(ModifyTrackDialog& state) {
    state_ = &state;
    edTrackName->setText(Q(state.name));
    cbSave->setChecked(state.save);
    ShowColor(state.trackColor);
    const bool accepted = exec() == QDialog::Accepted;
    state_ = nullptr;
    if (accepted) {
        state.name = edTrackName->text().toStdString();
        state.save = cbSave->isChecked();
    }
    return accepted;
}

void TdlgModifyTrackName::accept() {
    if (Takes(rule_, edTrackName)) QDialog::accept();
}

TdlgPlanName::TdlgPlanName(QWidget* parent) : QDialog(parent), edPlanTitle(new QLineEdit(this)) {
    setObjectName(QStringLiteral("dlgPlanName"));
    setWindowTitle(tr("Modify Plan Route Title"));
    setMinimumSize(256, 115);
    edPlanTitle->setObjectName(QStringLiteral("edPlanTitle"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Title"), this));
    layout->addWidget(edPlanTitle);
    layout->addLayout(OkCancelRow(this, OKBtn, CancelBtn));
}

TdlgChoosePort::TdlgChoosePort(QWidget* parent)
    : QDialog(parent), comboChosenPort(new QComboBox(this)) {
    setObjectName(QStringLiteral("dlgChoosePort"));
    setWindowTitle(tr("Serial Port"));
    comboChosenPort->setObjectName(QStringLiteral("comboChosenPort"));
    comboChosenPort->setEditable(true);
    comboChosenPort->setMinimumWidth(260);
    auto* label = new QLabel(tr("The &port the Vantrel is connected to:"), this);
    label->setBuddy(comboChosenPort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(comboChosenPort);
    layout->addLayout(OkCancelRow(this, OKBtn, CancelBtn));
}

std::optional<std::string> TdlgChoosePort::Run(const std::string& chosen) {
    comboChosenPort->clear();
    comboChosenPort->addItem(tr("Find the Vantrel automatically"), QString());
    for (const SysfsSerialTty& tty : ListSerialTtys(TCommSerialPortInfo::DefaultSysfsRoot)) {
        const QString path = Q(tty.devicePath);
        comboChosenPort->addItem(
            tty.driver.empty() ? path : path + QStringLiteral(" (") + Q(tty.driver) + QLatin1Char(')'),
            path);
    }
    const int index = chosen.empty() ? 0 : comboChosenPort->findData(Q(chosen));
    if (index >= 0)
        comboChosenPort->setCurrentIndex(index);
    else
        comboChosenPort->setEditText(Q(chosen));
    if (exec() != QDialog::Accepted) return std::nullopt;
    // A port picked from the list stands for its path; a typed one for itself.
    const int picked = comboChosenPort->findText(comboChosenPort->currentText());
    if (picked >= 0) return comboChosenPort->itemData(picked).toString().toStdString();
    return comboChosenPort->currentText().trimmed().toStdString();
}

void TdlgPlanName::accept() {
    if (Takes(rule_, edPlanTitle)) QDialog::accept();
}

std::optional<std::string> TdlgPlanName::Run(const std::string& title) {
    edPlanTitle->setText(Q(title));
    if (exec() != QDialog::Accepted) return std::nullopt;
    return edPlanTitle->text().toStdString();
}

TdlgMaxSpeed::TdlgMaxSpeed(QWidget* parent)
    : QDialog(parent), edMaxSpeed(new QDoubleSpinBox(this)) {
    setObjectName(QStringLiteral("dlgMaxSpeed"));
    setWindowTitle(tr("Drop Outliers"));
    edMaxSpeed->setObjectName(QStringLiteral("edMaxSpeed"));
    edMaxSpeed->setRange(1, 100000);
    edMaxSpeed->setDecimals(0);
    edMaxSpeed->setSuffix(QStringLiteral(" km/h"));
    edMaxSpeed->setValue(kDefaultMaxSpeedKmh);
    auto* label = new QLabel(tr("Drop the points that imply a speed &above:"), this);
    label->setBuddy(edMaxSpeed);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edMaxSpeed);
    layout->addLayout(OkCancelRow(this, OKBtn, CancelBtn));
}

std::optional<double> TdlgMaxSpeed::Run() {
    edMaxSpeed->selectAll();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return edMaxSpeed->value();
}

}  // namespace vantrel
