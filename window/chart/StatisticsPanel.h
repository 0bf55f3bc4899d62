#pragma once
// A group of a track's figures, each a caption and a read-only box (named
// "ed" and the caption without spaces, "edMovingTime"), in as many columns
// as asked: the Track page's statistics and those of the range picked on
// the chart.

#include <QGroupBox>
#include <QLineEdit>
#include <vector>

#include "tracks/TrackStatisticsText.h"

class QGridLayout;

namespace vantrel {

class StatisticsPanel : public QGroupBox {
    Q_OBJECT
  public:
    StatisticsPanel(const QString& title, int columns, QWidget* parent = nullptr);

    // Shows the lines, whose captions are the same at every call: the boxes
    // are made at the first.
    void Show(const std::vector<StatisticsLine>& lines);
    // Empties every box.
    void Clear();

    // The text of a figure by its caption ("Ascent"), empty when not shown.
    QString Value(const QString& caption) const;

  private:
    void AddBox(const QString& caption);

    int columns_;
    QGridLayout* layout_;
    std::vector<std::pair<QString, QLineEdit*>> boxes_;
};

}  // namespace vantrel
