// The vantrel program as a process: one copy at a time, and its options.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "app/InstanceLock.h"
#include "support/ScratchFolder.h"

namespace vantrel::testing {
namespace {

constexpr int kProcessMs = 60000;

// Runs the program with `args`; its exit code, or -1 when it did not end.
int RunProgram(const QStringList& args, const ScratchFolder& runtime, QByteArray* errors,
               QByteArray* output = nullptr) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.Path()));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), QString::fromStdString(runtime.Path()));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString(runtime.Path()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
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
