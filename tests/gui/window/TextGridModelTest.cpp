#include "window/TextGridModel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace vantrel {
namespace {

TEST(TextGridModel, ShowsRowZeroAsHeadingsAndTellsViewsWhatChanged) {
    TextGrid grid(3, 65536 + 1);
    grid.SetCell(0, 0, "Title");
    grid.SetCell(1, 65536, "last");
    TextGridModel model(grid);
    EXPECT_EQ(model.rowCount(), 65536);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Title");
    EXPECT_EQ(model.index(65535, 1).data().toString(), "last");

    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    model.Refresh();  // nothing changed
    EXPECT_EQ(reset.count() + changed.count(), 0);

    grid.SetCell(2, 5, "new");
    model.Refresh();  // same shape: a repaint, the views keep their place
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(model.index(4, 2).data().toString(), "new");

    grid.SetRowCount(11);
    model.Refresh();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 10);
    EXPECT_FALSE(model.index(10, 0).data().isValid());
}

}  // namespace
}  // namespace vantrel
