// The vantrel program as a process: one copy at a time, and its options.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "app/InstanceLock.h"
#include "window/InstanceChannel.h"
#include "support/ScratchFolder.h"

namespace vantrel::testing {
namespace {

constexpr int kProcessMs = 60000;

// The program's environment: its own runtime, cache and config folders.
QProcessEnvironment Environment(const ScratchFolder& runtime) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.Path()));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), QString::fromStdString(runtime.Path()));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(runtime.Path()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("VANTREL_PORT"), QStringLiteral("/nonexistent/tty"));
    return env;
}

// Runs the program with `args`; its exit code, or -1 when it did not end.
int RunProgram(const QStringList& args, const ScratchFolder& runtime, QByteArray* errors,
               QByteArray* output = nullptr) {
    QProcess program;
    program.setProcessEnvironment(Environment(runtime));
    program.start(QStringLiteral(VANTREL_PROGRAM), args);
    if (!program.waitForFinished(kProcessMs)) {
        program.kill();
        program.waitForFinished();
        return -1;
    }
    if (errors) *errors = program.readAllStandardError();
    if (output) *output = program.readAllStandardOutput();
    return program.exitCode();
}

TEST(Program, ASecondCopyEndsSilentlyAndAnUnknownOptionIsRefused) {
    ScratchFolder runtime;
    {
        InstanceLock first(InstanceLockPathFor(runtime.Path().c_str(), kInstanceName));
        ASSERT_EQ(first.GetState(), InstanceLock::State::Acquired);
        QByteArray errors;
        EXPECT_EQ(RunProgram({QStringLiteral("--no-splash")}, runtime, &errors), 0);
        EXPECT_TRUE(errors.isEmpty()) << errors.constData();
    }
    QByteArray errors;
    EXPECT_EQ(RunProgram({QStringLiteral("--bogus")}, runtime, &errors), 2);
    EXPECT_TRUE(errors.contains("usage: vantrel")) << errors.constData();
}

// A later launch hands its files over to the copy that runs and ends.
TEST(Program, ASecondLaunchHandsItsFilesToTheFirstAndEnds) {
    ScratchFolder runtime;
    QProcess first;
    first.setProcessEnvironment(Environment(runtime));
    first.start(QStringLiteral(VANTREL_PROGRAM), {QStringLiteral("--no-splash")});
    const std::filesystem::path socket =
        InstanceSocketPath(InstanceLockPathFor(runtime.Path().c_str(), kInstanceName))
            .toStdString();
    for (int waited = 0; !std::filesystem::exists(socket) && waited < kProcessMs; waited += 100)
        first.waitForFinished(100);
    ASSERT_TRUE(std::filesystem::exists(socket));
    QByteArray errors;
    EXPECT_EQ(RunProgram({QStringLiteral("plan.rte")}, runtime, &errors), 0);
    EXPECT_TRUE(errors.isEmpty()) << errors.constData();
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

TEST(Program, HelpAndVersionAnswerOnStandardOutputWhileAnotherCopyRuns) {
    ScratchFolder runtime;
    InstanceLock first(InstanceLockPathFor(runtime.Path().c_str(), kInstanceName));
    ASSERT_EQ(first.GetState(), InstanceLock::State::Acquired);
    QByteArray errors;
    QByteArray output;
    EXPECT_EQ(RunProgram({QStringLiteral("--version")}, runtime, &errors, &output), 0);
    EXPECT_TRUE(output.startsWith("vantrel 1.")) << output.constData();
    EXPECT_EQ(RunProgram({QStringLiteral("--help")}, runtime, &errors, &output), 0);
    EXPECT_TRUE(output.contains("--screenshots DIR")) << output.constData();
    EXPECT_TRUE(errors.isEmpty()) << errors.constData();
}

}  // namespace
}  // namespace vantrel::testing
