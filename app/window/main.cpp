#include <QApplication>

#include "app/window/MainWindow.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    vantrel::TfmMain window;
    window.show();
    return QApplication::exec();
}
