#include "app/window/MainWindow.h"

namespace vantrel {

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
    setFixedSize(853, 572);
}

}  // namespace vantrel
