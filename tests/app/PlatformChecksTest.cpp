// The start-up's platform checks: decimal separator, internet, single
// instance, data folder and code page (the time zone is tested with the
// locale).

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/CodePageChoice.h"
#include "app/DecimalSeparator.h"
#include "app/InstanceLock.h"
#include "app/InternetCheck.h"
#include "base/DataDirectory.h"
#include "support/ScratchFolder.h"

// glibc keeps the LOCPATH search list that newlocale() builds for the whole
// process; LeakSanitizer would report it as a leak.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:argz_add_sep\n";  // __argz_add_sep too
}

namespace vantrel {
namespace {

using testing::ScopedEnv;
using testing::ScratchFolder;
using testing::WriteFile;

TEST(DecimalSeparator, CommaLocaleGivesCommaAndOthersKeepThePoint) {
    NumberFormat format;
    ApplyRadixText(format, "\xD9\xAB");  // the Arabic separator is not a comma
    EXPECT_EQ(format.DecimalSeparatorText, ".");
    ApplyRadixText(format, ",");
    EXPECT_EQ(format.DecimalSeparatorText, ",");
    EXPECT_EQ(format.CommaText, ",");

    ScopedEnv lcAll("LC_ALL", "C");
    EXPECT_EQ(UserRadixText(), ".");

    // A minimal locale whose only content is a comma radix, compiled here.
    ScratchFolder folder;
    WriteFile(
        folder / "comma.def",
        "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\nEND LC_NUMERIC\n");
    std::string command = "localedef -c -i " + (folder / "comma.def").string() +
                          " -f ANSI_X3.4-1968 " + (folder / "xx_COMMA").string() +
                          " >/dev/null 2>&1";
    std::system(command.c_str());  // warns about the categories it lacks
    if (!std::filesystem::exists(folder / "xx_COMMA" / "LC_NUMERIC"))
        GTEST_SKIP() << "localedef cannot build a locale here";
    ScopedEnv path("LOCPATH", folder.Path().string());
    ScopedEnv comma("LC_ALL", "xx_COMMA");
    EXPECT_EQ(UserRadixText(), ",");
    ScopedEnv unknown("LC_ALL", "no_SUCH.locale");
    EXPECT_EQ(UserRadixText(), ".");
}

TEST(InternetCheck, NeedsAnActiveDefaultRouteBeyondLoopback) {
    const char* header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\n";
    std::string local =
        std::string(header) + "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\n";
    EXPECT_FALSE(Ipv4TableHasDefaultRoute(local));
    EXPECT_TRUE(
        Ipv4TableHasDefaultRoute(local + "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\n"));
    EXPECT_FALSE(
        Ipv4TableHasDefaultRoute(local + "lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\n"));
    EXPECT_FALSE(
        Ipv4TableHasDefaultRoute(local + "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\n"));

    std::string zero(32, '0');
    auto v6 = [&](const char* flags, const char* iface) {
        return zero + " 00 " + zero + " 00 " + zero + " 00000400 00000002 00000000 " + flags + " " +
               iface + "\n";
    };
    EXPECT_TRUE(Ipv6TableHasDefaultRoute(v6("00000003", "eth0")));
    EXPECT_FALSE(Ipv6TableHasDefaultRoute(v6("00200200", "lo")));
    EXPECT_FALSE(Ipv6TableHasDefaultRoute(v6("00200201", "eth0")));  // an unreachable route

    ScratchFolder folder;
    WriteFile(folder / "route", local);
    WriteFile(folder / "ipv6_route", v6("00000003", "wlan0"));
    EXPECT_TRUE(HasDefaultRoute(folder / "route", folder / "ipv6_route"));
    EXPECT_FALSE(HasDefaultRoute(folder / "route", folder / "missing"));
}

TEST(InstanceLock, ASecondHolderIsRefusedUntilTheFirstEnds) {
    EXPECT_EQ(SanitisedLockName(kInstanceName), "Vantrel_Ver1.2");
    EXPECT_EQ(InstanceLockPathFor("/run/user/7", kInstanceName), "/run/user/7/Vantrel_Ver1.2.lock");
    EXPECT_EQ(InstanceLockPathFor(nullptr, "a/b").parent_path(), "/tmp");

    ScratchFolder folder;
    auto file = folder / "Vantrel_Ver1.2.lock";
    {
        InstanceLock first(file);
        EXPECT_EQ(first.GetState(), InstanceLock::State::Acquired);
        InstanceLock second(file);  // its own open file description
        EXPECT_EQ(second.GetState(), InstanceLock::State::HeldElsewhere);
        EXPECT_FALSE(second.MayRun());
    }
    InstanceLock later(file);
    EXPECT_EQ(later.GetState(), InstanceLock::State::Acquired);
    // A lock file that cannot be made does not keep the program from running.
    InstanceLock nowhere(folder / "missing" / "x.lock");
    EXPECT_EQ(nowhere.GetState(), InstanceLock::State::Unavailable);
    EXPECT_TRUE(nowhere.MayRun());
}

TEST(DataDirectory, InstalledShareFolderFirstThenTheSourceTreeFromTheBuildTree) {
    ScratchFolder folder;
    auto build = folder / "build";
    auto source = folder / "src";
    std::filesystem::create_directories(build / "cli");
    EXPECT_EQ(DataDirectoryFor(build / "cli" / "vantrel", build, source), source);
    auto prefix = folder / "usr";
    EXPECT_EQ(DataDirectoryFor(prefix / "bin" / "vantrel", build, source),
              prefix / "share" / "vantrel");
    // A program copied out of its prefix uses the configured prefix's folder.
    auto configured = folder / "opt" / "share" / "vantrel";
    EXPECT_EQ(DataDirectoryFor(folder / "copy" / "vantrel", build, source, configured),
              folder / "share" / "vantrel");
    std::filesystem::create_directories(configured);
    EXPECT_EQ(DataDirectoryFor(folder / "copy" / "vantrel", build, source, configured), configured);
    EXPECT_EQ(DataDirectoryFor(build / "cli" / "vantrel", build, source, configured), source);
    std::filesystem::create_directories(build / "share" / "vantrel");
    EXPECT_EQ(DataDirectoryFor(build / "cli" / "vantrel", build, source),
              build / "share" / "vantrel");
    // This test program runs from the build tree, so it finds the shipped files.
    EXPECT_TRUE(std::filesystem::exists(ProgramDataDirectory() / "language" / "ENGLISH.man"));
}

TEST(CodePageChoice, EnvironmentBeatsSettingBeatsLocale) {
    EXPECT_EQ(ChooseCodePage("GBK", "CP1252").Name(), "GBK");
    EXPECT_EQ(ChooseCodePage(nullptr, "CP1252").Name(), "CP1252");
    EXPECT_EQ(ChooseCodePage("NO-SUCH", "CP1252").Name(), "CP1252");
    EXPECT_EQ(ChooseCodePage("", "").Name(), CodePage::LocaleCodeset());
}

}  // namespace
}  // namespace vantrel
