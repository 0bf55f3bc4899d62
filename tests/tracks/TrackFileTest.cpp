#include "tracks/TrackFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include "TrackFixture.h"
#include "base/AtomicFile.h"
#include "tracks/LoggedTracks.h"
#include "tracks/ProfilePlot.h"

namespace vantrel::testing {
namespace {

using TrackFileTest = TrackFixture;

const CodePage kLatin1("ISO-8859-1");

// A decimal-comma user, names in UTF-16, a cell outside ASCII through the
// file code page, a skipped record.
TEST_F(TrackFileTest, SaveOpenSaveGivesIdenticalBytes) {
    UseDecimalComma();
    const CodePage cp1252("CP1252");
    TrackMemoryBuilder b = ThreeTracks();
    b.AddCorrupt(7);
    Assemble(b);
    store.ModifyDialog.name = "\u00c9t\u00e9";
    store.ApplyModify(2);
    store.ScratchGrid.SetCell(4, 0, "\u00e9");
    const std::string first = (Folder() / "a.trk").string();
    ASSERT_TRUE(SaveTracks(store, first, cp1252));
    const std::string bytes = *ReadFileBytes(first);
    std::size_t lines = 0;
    for (std::size_t at = bytes.find("\r\n", 4224); at != std::string::npos;
         at = bytes.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 10240u * 5);  // every row, five lines each
    EXPECT_EQ(bytes.substr(4224, 31), "2011/9/14  1:46:25\r\n45,000001\r\n");
    EXPECT_NE(bytes.find("\r\n\xE9\r\n"), std::string::npos);

    TrackStore reopened(values, transfer, messages);
    ASSERT_EQ(OpenTrackFile(reopened, first, cp1252), TrackFileResult::Loaded);
    EXPECT_EQ(reopened.gridTrackName.Cell(0, 2), "\u00c9t\u00e9");
    EXPECT_TRUE(reopened.gridTrackName.IsEmpty(2, 1));
    EXPECT_EQ(reopened.ScratchGrid.Cell(4, 0), "\u00e9");
    EXPECT_EQ(reopened.gridTrack.Cell(2, 4), store.gridTrack.Cell(2, 4));
    EXPECT_EQ(reopened.CurrentTrackColor, 255u);
    EXPECT_EQ(transfer.TransferLength, bytes.size() - 4224);
    const std::string second = (Folder() / "b.trk").string();
    ASSERT_TRUE(SaveTracks(reopened, second, cp1252));
    EXPECT_EQ(*ReadFileBytes(second), bytes);
}

TEST_F(TrackFileTest, TheFormatFollowsTheExtensionAlone) {
    Assemble(ThreeTracks());
    std::filesystem::create_directories(Folder() / "my kml");
    const std::string track = (Folder() / "my kml" / "kml-day.trk").string();
    ASSERT_TRUE(SaveTracks(store, track, kLatin1));
    EXPECT_EQ(ReadFileBytes(track)->substr(0, 2), std::string("\x01\x00", 2));
    TrackStore reopened(values, transfer, messages);
    EXPECT_EQ(OpenTrackFile(reopened, track, kLatin1), TrackFileResult::Loaded);
    EXPECT_EQ(reopened.ListedTracks(), 3);
    for (const char* name : {"day.kml", "DAY.KML", "day.Kml"}) {
        const std::string kml = (Folder() / "my kml" / name).string();
        ASSERT_TRUE(SaveTracks(store, kml, kLatin1));
        EXPECT_EQ(ReadFileBytes(kml)->substr(0, 5), "<?xml") << name;
    }
    EXPECT_TRUE(SavesAsKml("a.kml"));
    EXPECT_FALSE(SavesAsKml("kml"));
    EXPECT_FALSE(SavesAsKml("/home/kml/a.kml.trk"));
}

// A file written with a decimal point (by the command line, or under
// another locale) reads the same for a decimal-comma user.
TEST_F(TrackFileTest, PointFilesReadTheSameUnderADecimalComma) {
    Assemble(ThreeTracks());
    const std::string bytes = TrackFileBytes(store, kLatin1);
    UseDecimalComma();
    TrackStore comma(values, transfer, messages);
    ASSERT_EQ(LoadTrackFileBytes(comma, bytes, kLatin1), TrackFileResult::Loaded);
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(+comma.TrackTable[k].distanceKm, +store.TrackTable[k].distanceKm);
    const ProfilePlot plot =
        PlotProfile(comma.gridTrack, ProfileKind::Altitude, ProfileUnits::Metric, values.Numbers);
    ASSERT_EQ(plot.points.size(), 4u);
    EXPECT_EQ(plot.points.back().x, +comma.TrackTable[0].distanceKm);
    EXPECT_EQ(StoreTracks(comma, ZoneOffset{})[2].points.size(), 5u);
}

TEST_F(TrackFileTest, FailedSavesAreReportedAndLeaveTheTargetUntouched) {
    Assemble(ThreeTracks());
    const std::string missing = (Folder() / "no-such-folder" / "x.trk").string();
    EXPECT_FALSE(SaveTracks(store, missing, kLatin1));
    EXPECT_FALSE(SaveTracks(store, missing + ".kml", kLatin1));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0], (ShownMessage{"Cannot Open File!", "Error!"}));
    EXPECT_EQ(messages.shown[1], (ShownMessage{"Cannot Save File!", "Error"}));

    // A write that fails part-way (the file size limit) keeps the old file.
    const std::string path = (Folder() / "old.trk").string();
    ASSERT_TRUE(WriteFileAtomically(path, "old contents"));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    rlimit small = limit;
    small.rlim_cur = 8192;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = SaveTracks(store, path, kLatin1);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_FALSE(saved);
    EXPECT_EQ(*ReadFileBytes(path), "old contents");
    EXPECT_EQ(messages.shown.back().text, "Cannot Open File!");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), 1);
}

TEST_F(TrackFileTest, OpenFailuresKeepTheStoresSafe) {
    Assemble(ThreeTracks());
    EXPECT_EQ(OpenTrackFile(store, (Folder() / "none.trk").string(), kLatin1),
              TrackFileResult::CannotAccess);
    EXPECT_EQ(messages.shown.back(), (ShownMessage{"Cannot Access Trk file!", "Error"}));
    EXPECT_TRUE(store.gridTrackName.IsEmpty(0, 1));
    EXPECT_EQ(+store.TrackTable[0].pointCount, 4u);

    // Exactly the header: the table loads, the empty body is a file error.
    std::string header(4224, '\0');
    std::memcpy(header.data(), store.TrackTable.data(), 4224);
    header[2] = 'Z';
    EXPECT_EQ(LoadTrackFileBytes(store, header, kLatin1), TrackFileResult::FileError);
    EXPECT_EQ(messages.shown.back(), (ShownMessage{"File Error!", "Error"}));
    EXPECT_EQ(EntryName(store.TrackTable[0]), "Zrack0");
    EXPECT_TRUE(store.gridTrackName.IsEmpty(0, 1));
    EXPECT_EQ(transfer.TransferLength, 0u);

    // Shorter than the header: only those bytes change.
    EXPECT_EQ(LoadTrackFileBytes(store, std::string(70, '\0'), kLatin1),
              TrackFileResult::FileError);
    EXPECT_EQ(+store.TrackTable[0].pointCount, 0u);
    EXPECT_EQ(EntryName(store.TrackTable[2]), "Track2");
}

TEST_F(TrackFileTest, ShortRowsAndZeroBytesEndTheBody) {
    std::string file(4224, '\0');
    file += "t0\r\n1,5\r\n2\r\n3\r\n4\r\nt1\r\nlat\r\nrest";
    store.ScratchGrid.SetCell(0, 5, "older");
    ASSERT_EQ(LoadTrackFileBytes(store, file, kLatin1), TrackFileResult::Loaded);
    EXPECT_EQ(store.ScratchGrid.Cell(1, 0), "1,5");
    EXPECT_EQ(store.ScratchGrid.Cell(1, 1), "lat");
    EXPECT_EQ(store.ScratchGrid.Cell(2, 1), "rest");
    EXPECT_TRUE(store.ScratchGrid.IsEmpty(3, 1));
    EXPECT_EQ(store.ScratchGrid.Cell(0, 5), "older");  // rows past the file keep their text
    std::string zero(4224, '\0');
    zero += std::string("a\r\n\0b\r\n", 7);
    ASSERT_EQ(LoadTrackFileBytes(store, zero, kLatin1), TrackFileResult::Loaded);
    EXPECT_EQ(store.ScratchGrid.Cell(0, 0), "a");
    EXPECT_EQ(store.ScratchGrid.Cell(1, 0), "");
}

TEST_F(TrackFileTest, GrownScratchGridIsSavedWholeAndReadBack) {
    TrackMemoryBuilder b;
    for (int i = 0; i < 12000; ++i)
        b.AddFix(1000 + i, 45, 7, 0, 0, i == 0);
    Assemble(b);
    ASSERT_EQ(store.ScratchGrid.RowCount(), 12000);
    const std::string bytes = TrackFileBytes(store, kLatin1);
    TrackStore reopened(values, transfer, messages);
    ASSERT_EQ(LoadTrackFileBytes(reopened, bytes, kLatin1), TrackFileResult::Loaded);
    EXPECT_EQ(reopened.ScratchGrid.RowCount(), 12000);
    EXPECT_EQ(reopened.ScratchGrid.Cell(0, 11999), store.ScratchGrid.Cell(0, 11999));
    EXPECT_EQ(TrackFileBytes(reopened, kLatin1), bytes);
}

}  // namespace
}  // namespace vantrel::testing
