#include "window/CellBrushDelegate.h"

#include <QPainter>

#include "window/TextGridModel.h"

namespace vantrel {

QColor ColorFromBgr(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t BgrFromColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

CellBrushDelegate::CellBrushDelegate(FillRule rule, Text text, QObject* parent)
    : QStyledItemDelegate(parent), rule_(std::move(rule)), text_(text) {}

void CellBrushDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    auto fill = rule_(index.column(), TextGridModel::GridRow(index.row()));
    if (!fill) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    painter->fillRect(option.rect, ColorFromBgr(*fill));
    if (text_ == Text::Covered) return;
    painter->save();
    painter->setPen(Qt::white);
    painter->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft,
                      index.data().toString());
    painter->restore();
}

}  // namespace vantrel
