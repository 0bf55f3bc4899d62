// A later launch hands its files to the copy that runs.

#include "window/InstanceChannel.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>

#include "support/ScratchFolder.h"

namespace vantrel::testing {
namespace {

TEST(InstanceChannel, ALaterLaunchHandsItsFilesToTheCopyThatRuns) {
    ScratchFolder folder;
    const QString socket = InstanceSocketPath(folder / "instance.lock");
    // A socket left behind by a copy that crashed is taken over.
    WriteFile(socket.toStdString(), "");
    EXPECT_FALSE(InstanceChannel::HandOver(socket, {}, 500));
    InstanceChannel first(socket);
    ASSERT_TRUE(first.Listening());
    QSignalSpy handed(&first, &InstanceChannel::handed);

    EXPECT_TRUE(InstanceChannel::HandOver(
        socket, {QStringLiteral("day 3.gpx"), QStringLiteral("/data/plan.rte")}));
    ASSERT_TRUE(handed.wait(5000));
    EXPECT_EQ(handed.at(0).at(0).toStringList(),
              (QStringList{QDir::current().absoluteFilePath(QStringLiteral("day 3.gpx")),
                           QStringLiteral("/data/plan.rte")}));
    // A launch without files only raises the window.
    EXPECT_TRUE(InstanceChannel::HandOver(socket, {}));
    ASSERT_TRUE(handed.wait(5000));
    EXPECT_TRUE(handed.at(1).at(0).toStringList().isEmpty());
}

}  // namespace
}  // namespace vantrel::testing
