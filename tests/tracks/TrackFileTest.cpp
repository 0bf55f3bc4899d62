#include "tracks/TrackFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include "TrackFixture.h"
#include "base/AtomicFile.h"

namespace vantrel::testing {
namespace {

using TrackFileTest = TrackFixture;

const CodePage kLatin1("ISO-8859-1");

TrackFileFormat Format(char separator = '.', ZoneOffset zone = {}) {
    return {zone, separator, kLatin1};
}

// A decimal-comma user, names in UTF-16, a skipped record.
TEST_F(TrackFileTest, SaveOpenSaveGivesIdenticalBytes) {
    UseDecimalComma();
    values.LocalZoneOffset = ZoneOffset::Hours(3);
    const CodePage cp1252("CP1252");
    TrackMemoryBuilder b = ThreeTracks();
    b.AddCorrupt(7);
    Assemble(b);
    store.ModifyDialog = {"\u00c9t\u00e9", true, 0x123456};
    store.ApplyModify(2);
    const std::string first = (Folder() / "a.trk").string();
    ASSERT_TRUE(store.Save(first, cp1252).Done());
    const std::string bytes = *ReadFileBytes(first);
    std::size_t lines = 0;
    for (std::size_t at = bytes.find("\r\n", 4224); at != std::string::npos;
         at = bytes.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 10240u * 5);  // every row, five lines each
    EXPECT_EQ(bytes.substr(4224, 31), "2011/9/14  4:46:25\r\n45,000001\r\n");
    TrackEntry entry;
    std::memcpy(&entry, bytes.data() + 66, sizeof entry);
    EXPECT_EQ(entry.firstRow, 4);
    EXPECT_EQ(entry.pointCount, 3u);
    // Measured through the positions as the rows state them (six decimals).
    EXPECT_NEAR(entry.distanceKm, TrackKm(store.List()[1]), 1e-3);

    TrackStore reopened(values);
    ASSERT_TRUE(reopened.Open(first, cp1252).Done());
    ASSERT_EQ(reopened.List().size(), 3u);
    EXPECT_EQ(reopened.List()[1].name, "\u00c9t\u00e9");
    EXPECT_EQ(ListCell(reopened.List()[0], ListColumn::Select), "1");  // drawn and saved
    EXPECT_EQ(reopened.CurrentTrackColor, 255u);
    for (int column = 0; column < kPointColumns; ++column)
        EXPECT_EQ(PointCell(reopened.List()[2].points[4], PointColumn(column), values.LocalZoneOffset, ','),
                  PointCell(store.List()[2].points[4], PointColumn(column), values.LocalZoneOffset, ','));
    const std::string second = (Folder() / "b.trk").string();
    ASSERT_TRUE(reopened.Save(second, cp1252).Done());
    const std::string again = *ReadFileBytes(second);
    EXPECT_TRUE(again == bytes) << "differs from byte " << std::distance(again.begin(), std::mismatch(again.begin(), again.end(), bytes.begin(), bytes.end()).first);
}

// A name in a format of the page says it; any other takes the chosen
// filter's (a track file under "All Files"), and its extension when it has
// none. Folder names play no part.
TEST_F(TrackFileTest, ASaveWritesTheFormatTheNameOrTheFilterSays) {
    Assemble(ThreeTracks());
    std::filesystem::create_directories(Folder() / "my kml");
    using F = FileFormat;
    struct Case {
        const char* name;
        std::optional<FileFormat> filter;
        const char* written;
        FileFormat format;
        const char* begins;
    };
    for (const Case& c : {Case{"kml-day.trk", std::nullopt, "kml-day.trk", F::Trk, "\x01"},
                          Case{"day.kml", F::Trk, "day.kml", F::Kml, "<?xml"},
                          Case{"DAY.KML", std::nullopt, "DAY.KML", F::Kml, "<?xml"},
                          Case{"day.Gpx", F::Trk, "day.Gpx", F::Gpx, "<?xml"},
                          Case{"day3kml", F::Kml, "day3kml.kml", F::Kml, "<?xml"},
                          Case{"day.csv", std::nullopt, "day.csv", F::Csv, "track,time"},
                          Case{"day.kml.trk", F::Kml, "day.kml.trk", F::Trk, "\x01"},
                          Case{"kml", std::nullopt, "kml.trk", F::Trk, "\x01"},
                          Case{"day.bak", F::Gpx, "day.bak", F::Gpx, "<?xml"}}) {
        const std::string path = (Folder() / "my kml" / c.name).string();
        const SaveTarget target = ChooseSaveTarget(path, c.filter, kTrackSaveFormats);
        EXPECT_EQ(target, (SaveTarget{(Folder() / "my kml" / c.written).string(), c.format}))
            << c.name;
        ASSERT_TRUE(store.Save(target.path, target.format).Done()) << c.name;
        EXPECT_TRUE(ReadFileBytes(target.path)->starts_with(c.begins)) << c.name;
    }
    EXPECT_NE(ReadFileBytes(Folder() / "my kml" / "day.Gpx")->find("<trkpt"), std::string::npos);
}

// A file written with a decimal point (by the command line, or under
// another locale) reads the same for a decimal-comma user.
TEST_F(TrackFileTest, PointFilesReadTheSameUnderADecimalComma) {
    Assemble(ThreeTracks());
    const TrackFileRead read = ReadTrackFile(TrackFileBytes(store.List(), Format('.')), Format(','));
    ASSERT_TRUE(read.result.Done());
    ASSERT_EQ(read.tracks.size(), 3u);
    for (std::size_t k = 0; k < 3; ++k)
        EXPECT_NEAR(TrackKm(read.tracks[k]), TrackKm(store.List()[k]), 1e-3);
    EXPECT_EQ(read.tracks[2].points.size(), 5u);
}

TEST_F(TrackFileTest, FailedSavesAreReportedAndLeaveTheTargetUntouched) {
    Assemble(ThreeTracks());
    const std::string missing = (Folder() / "no-such-folder" / "x.trk").string();
    const FileResult track = store.Save(missing);
    const FileResult kml = store.Save(missing + ".kml");
    EXPECT_TRUE(track.Refused());
    EXPECT_EQ(std::tie(track.message, track.caption),
              std::tuple("Cannot save x.trk: No such file or directory", "Error"));
    EXPECT_EQ(kml.message, "Cannot save x.trk.kml: No such file or directory");
    EXPECT_EQ(track.reason, "No such file or directory");

    // A write that fails part-way (the file size limit) keeps the old file.
    const std::string path = (Folder() / "old.trk").string();
    ASSERT_TRUE(WriteFileAtomically(path, "old contents"));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    rlimit small = limit;
    small.rlim_cur = 8192;
    setrlimit(RLIMIT_FSIZE, &small);
    const FileResult saved = store.Save(path);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_TRUE(saved.Refused());
    EXPECT_EQ(*ReadFileBytes(path), "old contents");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder()), {}), 1);
}

// What a track file cannot hold is said, and the rest is written.
TEST_F(TrackFileTest, MoreThanAFileHoldsIsSavedWithWhatFitsAndSaidSo) {
    TrackMemoryBuilder b;
    for (int k = 0; k < 66; ++k)
        b.AddFix(1000 + static_cast<std::uint32_t>(k) * 10, 45, 7, 0, 0, true);
    b.AddFix(5000, 45, 7, 0, 0, false);  // the 66th track's second point
    Assemble(b);
    ASSERT_EQ(store.List().size(), 66u);
    const std::string path = (Folder() / "many.trk").string();
    const FileResult saved = store.Save(path);
    EXPECT_EQ(saved.outcome, FileResult::Outcome::Partial);
    EXPECT_NE(saved.reason.find("2 tracks and 3 points were left out"), std::string::npos)
        << saved.reason;
    TrackStore reopened(values);
    ASSERT_TRUE(reopened.Open(path).Done());
    EXPECT_EQ(reopened.List().size(), 64u);
    EXPECT_EQ(reopened.List().back().name, "Track63");
}

// Rows left empty inside a track by earlier versions (for a skipped record)
// are stepped over, and a count past the rows stops at the next track.
TEST_F(TrackFileTest, EmptyRowsOfEarlierVersionsAreSteppedOver) {
    Assemble(ThreeTracks());
    std::string bytes = TrackFileBytes(store.List(), Format());
    TrackEntryTable table;
    std::memcpy(table.data(), bytes.data(), sizeof table);
    // An empty row after the first point of track 0: the rows after it move on by one.
    std::string body = bytes.substr(4224);
    std::size_t at = 0;
    for (int line = 0; line < 5; ++line)
        at = body.find("\r\n", at) + 2;
    body.insert(at, "\r\n\r\n\r\n\r\n\r\n");
    table[1].firstRow = 5;
    table[2].firstRow = 8;
    table[1].pointCount = 9;  // more than its rows: it stops at track 2's first row
    std::string file(sizeof table, '\0');
    std::memcpy(file.data(), table.data(), sizeof table);
    file += body;
    const TrackFileRead read = ReadTrackFile(file, Format());
    ASSERT_TRUE(read.result.Done()) << read.result.reason;
    const TrackFileRead plain = ReadTrackFile(bytes, Format());
    EXPECT_EQ(read.tracks, plain.tracks);
}

// A file that cannot be read whole: the window refuses it and keeps what it
// shows; a reader of the file gets what came before the damage.
TEST_F(TrackFileTest, DamagedAndShortFilesAreRefusedOrReadUpToTheDamage) {
    Assemble(ThreeTracks());
    const std::string good = TrackFileBytes(store.List(), Format());
    // Where line `column` of body row `row` begins.
    auto lineStart = [&](int row, int column) {
        std::size_t at = 4224;
        for (int line = 0; line < row * 5 + column; ++line)
            at = good.find("\r\n", at) + 2;
        return at;
    };
    auto withLine = [&](int row, int column, const std::string& text) {
        std::string bytes = good;
        const std::size_t at = lineStart(row, column);
        return bytes.replace(at, bytes.find("\r\n", at) - at, text);
    };
    struct Case {
        const char* what;
        std::string bytes;
        FileResult::Outcome outcome;
        std::size_t tracks;      // read
        std::size_t lastPoints;  // points of the last track read
        const char* reasonHas;
    };
    const Case cases[] = {
        {"cut in the middle of the last number", good.substr(0, lineStart(11, 4) + 1),
         FileResult::Outcome::Partial, 3, 4, "row 12 (Track2, point 5): the file ends inside it"},
        {"cut after a whole row inside a track", good.substr(0, lineStart(5, 0)),
         FileResult::Outcome::Partial, 2, 1, "row 6 (Track1, point 2): the file ends before it"},
        {"a latitude that is no number", withLine(5, 1, "45.00x"), FileResult::Outcome::Partial,
         2, 1, "row 6 (Track1, point 2): \"45.00x\" is no latitude (degrees within 90 of 0); "
               "left out: 2 points of Track1, and 1 track (5 points) after it"},
        {"a time that does not parse", withLine(1, 0, "2011/9/14  1:6"),
         FileResult::Outcome::Partial, 1, 1, "row 2 (Track0, point 2): the time"},
        {"a latitude out of range", withLine(0, 1, "145.000001"), FileResult::Outcome::Partial, 1,
         0, "row 1 (Track0, point 1)"},
        {"a row of fewer lines", good.substr(0, lineStart(11, 2)), FileResult::Outcome::Partial,
         3, 4, "row 12 (Track2, point 5): the file ends inside it"},
        {"exactly the table", good.substr(0, 4224), FileResult::Outcome::Refused, 0, 0,
         "no line break"},
        {"shorter than the table", good.substr(0, 70), FileResult::Outcome::Refused, 0, 0,
         "ends inside its track table (70 of 4224 bytes)"},
    };
    for (const Case& c : cases) {
        const TrackFileRead read = ReadTrackFile(c.bytes, Format());
        EXPECT_EQ(read.result.outcome, c.outcome) << c.what;
        EXPECT_NE(read.result.reason.find(c.reasonHas), std::string::npos)
            << c.what << ": " << read.result.reason;
        ASSERT_EQ(read.tracks.size(), c.tracks) << c.what;
        if (c.tracks > 0) {
            EXPECT_EQ(read.tracks.back().points.size(), c.lastPoints) << c.what;
        }
        if (c.outcome == FileResult::Outcome::Partial) {
            EXPECT_EQ(read.result.message.rfind("File Error!", 0), 0u) << c.what;
        }

        // Opened in the window: refused, the list as it was.
        const std::string path = (Folder() / "damaged.trk").string();
        ASSERT_TRUE(WriteFileAtomically(path, c.bytes));
        const Tracks before = store.List();
        const FileResult opened = store.Open(path);
        EXPECT_TRUE(opened.Refused()) << c.what;
        EXPECT_EQ(opened.message.rfind("Cannot open damaged.trk: ", 0), 0u) << opened.message;
        EXPECT_NE(opened.message.find(c.reasonHas), std::string::npos) << opened.message;
        EXPECT_EQ(store.List(), before) << c.what;
    }
    const FileResult missing = store.Open((Folder() / "none.trk").string());
    EXPECT_EQ(std::tie(missing.message, missing.caption),
              std::tuple("Cannot open none.trk: No such file or directory", "Error"));
    EXPECT_EQ(store.List().size(), 3u);
}

TEST_F(TrackFileTest, ALargerTrackIsSavedWholeAndReadBack) {
    TrackMemoryBuilder b;
    for (int i = 0; i < 12000; ++i)
        b.AddFix(1000 + static_cast<std::uint32_t>(i), 45 + (i % 13) * 1e-4, 7, i % 100, 7, i == 0);
    Assemble(b);
    const std::string bytes = TrackFileBytes(store.List(), Format());
    const TrackFileRead read = ReadTrackFile(bytes, Format());
    ASSERT_TRUE(read.result.Done());
    EXPECT_EQ(read.tracks[0].points.size(), 12000u);
    EXPECT_TRUE(TrackFileBytes(read.tracks, Format()) == bytes);
    // A zero byte ends the text: the rows after it are not there.
    std::string cut = bytes;
    cut[4224 + 100] = '\0';
    EXPECT_EQ(ReadTrackFile(cut, Format()).result.outcome, FileResult::Outcome::Partial);
}

}  // namespace
}  // namespace vantrel::testing
