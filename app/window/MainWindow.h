#pragma once
// The main window TfmMain: the tabs, grids and buttons over the Companion.

#include <QMainWindow>

namespace vantrel {

class TfmMain : public QMainWindow {
    Q_OBJECT
  public:
    explicit TfmMain(QWidget* parent = nullptr);
};

}  // namespace vantrel
