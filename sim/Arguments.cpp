#include "sim/Arguments.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "base/TimeText.h"

namespace vantrel::sim {

namespace {

class ArgumentReader {
  public:
    explicit ArgumentReader(std::span<const std::string> args) : args_(args) {}
    bool Done() const { return next_ >= args_.size(); }
    const std::string& Take() { return args_[next_++]; }
    const std::string& Value(const std::string& option) {
        if (Done()) throw std::invalid_argument(option + " needs a value");
        return Take();
    }
    std::size_t Count(const std::string& option) { return Number(option, Value(option)); }

    LinePlace Place(const std::string& option, const std::string& text) {
        const std::size_t plus = text.find('+');
        LinePlace place;
        place.block = Number(option, text.substr(0, plus));
        if (plus != std::string::npos) place.offset = Number(option, text.substr(plus + 1));
        return place;
    }
    // "PLACE=HEX[,HEX...]".
    StrayBytes Stray(const std::string& option) {
        const std::string& text = Value(option);
        const std::size_t equals = text.find('=');
        if (equals == std::string::npos)
            throw std::invalid_argument(option + " needs PLACE=HEX, not '" + text + "'");
        StrayBytes stray{Place(option, text.substr(0, equals)), {}};
        std::string_view hex = std::string_view(text).substr(equals + 1);
        while (true) {
            const std::string_view part = hex.substr(0, hex.find(','));
            unsigned byte = 0;
            const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), byte, 16);
            if (ec != std::errc() || end != part.data() + part.size() || part.empty() || byte > 0xFF)
                throw std::invalid_argument(option + " needs bytes in hex, not '" + text + "'");
            stray.bytes.push_back(static_cast<std::uint8_t>(byte));
            if (part.size() == hex.size()) break;
            hex.remove_prefix(part.size() + 1);
        }
        return stray;
    }

  private:
    static std::size_t Number(const std::string& option, const std::string& text) {
        std::size_t n = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
        if (ec != std::errc() || end != text.data() + text.size())
            throw std::invalid_argument(option + " needs a whole number, not '" + text + "'");
        return n;
    }

    std::span<const std::string> args_;
    std::size_t next_ = 0;
};

// The GPS second of midnight UTC of a date (YYYY-MM-DD), the 18 leap
// seconds of today counted, in the 32 bits the generator keeps.
std::uint32_t GpsSecondOf(const std::string& option, const std::string& text) {
    int y = 0, m = 0, d = 0;
    char rest = 0;
    const auto day = std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &rest) == 3
                         ? CalendarSeconds(y, m, d, 0, 0, 0)
                         : std::nullopt;
    using namespace std::chrono;
    const Seconds epoch = sys_days{year{1980} / January / 6};
    if (!day || *day < epoch || *day - epoch > seconds{0xFFFF0000u})
        throw std::invalid_argument(option + " takes a date YYYY-MM-DD from 1980 to 2115, not '" +
                                    text + "'");
    return static_cast<std::uint32_t>((*day - epoch).count() + 18);
}

}  // namespace

SimArguments ParseArguments(std::span<const std::string> args) {
    SimArguments a;
    bool generated = false;
    ArgumentReader in(args);
    while (!in.Done()) {
        const std::string& option = in.Take();
        if (option == "--help" || option == "-h")
            a.help = true;
        else if (option == "--version")
            a.version = true;
        else if (option == "--link")
            a.link = in.Value(option);
        else if (option == "--memory")
            a.memoryFile = in.Value(option);
        else if (option == "--plan")
            a.planFile = in.Value(option);
        else if (option == "--poi")
            a.poiFile = in.Value(option);
        else if (option == "--save-uploads")
            a.uploadDir = in.Value(option);
        else if (option == "--tracks")
            a.tracks = in.Count(option), generated = true;
        else if (option == "--points")
            a.points = in.Count(option), generated = true;
        else if (option == "--log-from")
            a.firstSecond = GpsSecondOf(option, in.Value(option)), generated = true;
        else if (option == "--pace")
            a.line.pace = true;
        else if (option == "--noise")
            a.line.noiseBytes = kNoiseBytesOnRequest;
        else if (option == "--pois")
            a.pois = in.Count(option);
        else if (option == "--etx-first")
            a.line.etxFirst = true;
        else if (option == "--eot-first")
            a.line.eotFirst = true;
        else if (option == "--repeat-block")
            a.line.repeatBlock = in.Count(option);
        else if (option == "--damage-block" || option == "--damage-block-always")
            a.line.damageBlock = in.Count(option), a.line.damageAlways = option.ends_with("always");
        else if (option == "--nak-block" || option == "--nak-block-always")
            a.line.nakBlock = in.Count(option), a.line.nakAlways = option.ends_with("always");
        else if (option == "--nak-eot")
            a.line.nakEot = true;
        else if (option == "--cancel-upload-after")
            a.line.cancelUploadAfter = in.Count(option);
        else if (option == "--stall-after")
            a.line.stallAfter = in.Count(option);
        else if (option == "--hangup-after")
            a.line.hangUpAfter = in.Count(option);
        else if (option == "--slow")
            a.line.pace = true, a.line.pacePercent = static_cast<int>(std::clamp<std::size_t>(
                                    in.Count(option), 1, 100));
        else if (option == "--stray")
            a.line.strays.push_back(in.Stray(option));
        else if (option == "--drop-byte")
            a.line.dropByte = in.Place(option, in.Value(option));
        else if (option == "--ignore-c")
            a.line.ignoreStarts = in.Count(option);
        else if (option == "--eot-once")
            a.line.eotOnce = true;
        else if (option == "--stray-ack")
            a.line.strayAckAfter = in.Count(option);
        else if (option == "--stream")
            a.line.stream = true;
        else
            throw std::invalid_argument("unknown argument '" + option + "'");
    }
    if (generated && !a.memoryFile.empty())
        throw std::invalid_argument("--memory and --tracks/--points exclude each other");
    if (a.pois && !a.poiFile.empty())
        throw std::invalid_argument("--poi and --pois exclude each other");
    return a;
}

}  // namespace vantrel::sim
