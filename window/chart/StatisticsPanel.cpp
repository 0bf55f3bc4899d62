#include "window/chart/StatisticsPanel.h"

#include <QGridLayout>
#include <QLabel>

namespace vantrel {

namespace {

// The captions of the core's statistics lines, for the translations; the
// boxes are still found by their English caption.
[[maybe_unused]] constexpr const char* kCaptions[] = {
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Distance"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Time"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Moving time"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Mean speed"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Moving speed"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Top speed"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Ascent"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Descent"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Lowest"),
    QT_TRANSLATE_NOOP("vantrel::StatisticsPanel", "Highest"),
};

}  // namespace

StatisticsPanel::StatisticsPanel(const QString& title, int columns, QWidget* parent)
    : QGroupBox(title, parent), columns_(columns), layout_(new QGridLayout(this)) {}

void StatisticsPanel::Show(const std::vector<StatisticsLine>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == boxes_.size()) AddBox(QString::fromStdString(lines[i].label));
        const QString value = QString::fromStdString(lines[i].value);
        if (boxes_[i].second->text() != value) boxes_[i].second->setText(value);
    }
}

void StatisticsPanel::AddBox(const QString& caption) {
    auto* box = new QLineEdit(this);
    box->setReadOnly(true);
    box->setObjectName(QStringLiteral("ed") + QString(caption).remove(QLatin1Char(' ')));
    auto* label = new QLabel(tr(caption.toUtf8().constData()), this);
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(box);
    const int at = static_cast<int>(boxes_.size());
    layout_->addWidget(label, at / columns_, at % columns_ * 2);
    layout_->addWidget(box, at / columns_, at % columns_ * 2 + 1);
    boxes_.emplace_back(caption, box);
}

void StatisticsPanel::Clear() {
    for (auto& [caption, box] : boxes_)
        box->clear();
}

QString StatisticsPanel::Value(const QString& caption) const {
    for (const auto& [shown, box] : boxes_)
        if (shown == caption) return box->text();
    return {};
}

}  // namespace vantrel
