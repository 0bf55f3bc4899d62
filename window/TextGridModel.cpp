#include "window/TextGridModel.h"

namespace vantrel {

TextGridModel::TextGridModel(const TextGrid& grid, QObject* parent)
    : CellTableModel(parent), grid_(grid) {
    Start();
}

}  // namespace vantrel
