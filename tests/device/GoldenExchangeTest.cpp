// Replays recorded byte exchanges against the link. A transcript has one
// entry a line: "request NAME" makes a request of the link, "dev BYTES" is
// what the device sends, "pc BYTES" what the PC must write, "image BYTES" the upload
// image the list builds, "hand LOADER LENGTH" the hand-over at the end, and
// any other line a port setting or pause the PC must make, in order. BYTES
// are hex pairs, "XX*N" for N copies, and quoted text with \r \n escapes.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "device/LinkFixture.h"

namespace vantrel::testing {
namespace {

Bytes ParseBytes(std::istream& in) {
    Bytes out;
    std::string token;
    while (in >> std::ws && in.peek() != EOF) {
        if (in.peek() == '"') {
            in.get();
            for (char c; in.get(c) && c != '"';) {
                if (c == '\\' && in.get(c)) c = c == 'r' ? '\r' : c == 'n' ? '\n' : c;
                out.push_back(static_cast<std::uint8_t>(c));
            }
            continue;
        }
        in >> token;
        const auto star = token.find('*');
        const auto byte = static_cast<std::uint8_t>(std::stoul(token.substr(0, 2), nullptr, 16));
        const std::size_t count =
            star == std::string::npos ? 1 : std::stoul(token.substr(star + 1));
        out.insert(out.end(), count, byte);
    }
    return out;
}

const std::map<std::string, RequestResult (DeviceLink::*)()> kRequests = {
    {"RequestTrackDownload", &DeviceLink::RequestTrackDownload},
    {"RequestPlanDownload", &DeviceLink::RequestPlanDownload},
    {"RequestPoiDownload", &DeviceLink::RequestPoiDownload},
    {"UploadPlan", &DeviceLink::UploadPlan},
    {"UploadPoiList", &DeviceLink::UploadPoiList},
};

class GoldenExchange : public LinkFixture, public ::testing::WithParamInterface<std::string> {
  protected:
    // Runs the transcript; the PC's side must match it up to each point where
    // the device speaks, and in full at the end.
    void Replay(std::istream& transcript) {
        EventLog expected;
        std::vector<std::string> handed;
        for (std::string line; std::getline(transcript, line);) {
            std::istringstream in(line);
            std::string kind;
            if (!(in >> kind) || kind[0] == '#') continue;
            if (kind == "pc") {
                expected.push_back(Pc(ParseBytes(in)));
            } else if (kind == "dev") {
                ASSERT_EQ(log, expected) << "before: " << line.substr(0, 60);
                port.Deliver(ParseBytes(in));
                Drain();
            } else if (kind == "image") {
                hooks.image = ParseBytes(in);
            } else if (kind == "request") {
                std::string name;
                in >> name;
                (link.*kRequests.at(name))();
            } else if (kind == "hand") {
                handed.push_back(line.substr(5));
            } else {
                expected.push_back(line);
            }
        }
        EXPECT_EQ(log, expected);
        EXPECT_EQ(hooks.loaded, handed);
    }
};

TEST_P(GoldenExchange, LinkWritesExactlyTheRecordedBytes) {
    std::ifstream file(std::string(VANTREL_GOLDEN_DIR) + "/" + GetParam());
    ASSERT_TRUE(file) << GetParam();
    Replay(file);
}

INSTANTIATE_TEST_SUITE_P(Transcripts, GoldenExchange,
                         ::testing::Values("track-download.txt", "plan-upload.txt"));

}  // namespace
}  // namespace vantrel::testing
