#include "sim/DeviceProtocol.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>
#include <utility>

#include "sim/BlockFrames.h"
#include "sim/MemoryLayout.h"
#include "sim/Replies.h"

namespace vantrel::sim {

namespace {

using std::chrono::milliseconds;

constexpr std::size_t kMaxSentence = 82;
constexpr std::size_t kMaxUploadBytes = 1u << 20;
constexpr milliseconds kFirstNakDelay{100};  // the PC switches its rate before it listens
constexpr milliseconds kNakRepeat{1000};
constexpr milliseconds kBlockByteTimeout{1000};
constexpr int kNakRepeats = 10;
constexpr milliseconds kSentenceInterval{100};

// What a GPS receiver streams: one fix sentence after another.
constexpr std::string_view kStreamSentence =
    "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";

// Stray bytes a noisy line might carry; none of them means anything to the PC.
constexpr std::array<std::uint8_t, 10> kNoise = {0x00, 0xFF, 0x7E, 0x0D, 0x0A,
                                                 0x55, 0x80, 0x20, 0xAA, 0x3F};

enum class Action { Guider, Logger, Download, Upload, Acknowledge };

// A command the PC sends (its sentence and the length of the reply it
// reads) and what the device does with it.
struct Command {
    std::string_view sentence;
    std::size_t replyLength;
    Action action;
    Payload payload;

    // The text between "$" and "*".
    constexpr std::string_view Body() const { return sentence.substr(1, sentence.find('*') - 1); }
};

constexpr std::array kCommands = {
    Command{"$POEM14,0*\r\n", 34, Action::Guider, Payload::Tracks},
    Command{"$POEM06*\r\n", 54, Action::Logger, Payload::Tracks},
    Command{"$POEM12,14*\r\n", 16, Action::Download, Payload::Tracks},
    Command{"$POEM12,12*\r\n", 17, Action::Download, Payload::Plan},
    Command{"$POEM12,2*\r\n", 17, Action::Download, Payload::Poi},
    Command{"$POEM12,4*\r\n", 16, Action::Upload, Payload::Poi},
    Command{"$POEM12,11*\r\n", 20, Action::Upload, Payload::Plan},
    Command{"$POEM12,1*\r\n", 17, Action::Acknowledge, Payload::Tracks},
};

// A byte of the block's data flipped, so that its CRC no longer matches.
constexpr std::size_t kDamagedByte = 3 + 100;

// The text between "$" and "*" when the sentence is well formed; a
// checksum after the "*" may be absent but must be right when present.
std::optional<std::string> SentenceBody(const std::string& sentence) {
    const std::size_t star = sentence.find('*');
    if (sentence.empty() || sentence[0] != '$' || star == std::string::npos) return std::nullopt;
    std::string body = sentence.substr(1, star - 1);
    std::string check = sentence.substr(star + 1);
    std::transform(check.begin(), check.end(), check.begin(), ::toupper);
    if (!check.empty() && check != SentenceChecksum(body)) return std::nullopt;
    return body;
}

}  // namespace

DeviceProtocol::DeviceProtocol(DeviceMemory& memory, LineOptions options, Log log)
    : memory_(memory), options_(options), log_(std::move(log)) {}

std::optional<DeviceProtocol::Clock::time_point> DeviceProtocol::Deadline() const {
    // A stream that has not begun is due at once.
    if (options_.stream) return nextSentence_.value_or(Clock::time_point{});
    return deadline_;
}

void DeviceProtocol::Receive(std::span<const std::uint8_t> bytes, Clock::time_point now) {
    if (options_.stream) return;  // a streaming device hears nothing
    for (std::uint8_t b : bytes) {
        OnByte(b, now);
        previous_ = b;
    }
}

void DeviceProtocol::Tick(Clock::time_point now) {
    StreamSentence(now);
    if (!deadline_ || now < *deadline_) return;
    deadline_.reset();
    if (mode_ == Mode::BlockBody) {
        Note("upload block broke off; dropped");
        mode_ = Mode::AwaitBlock;
    } else if (mode_ == Mode::AwaitBlock && transfer_.blocks == 0) {
        if (transfer_.naksLeft-- <= 0) return ToCommand("upload never started");
        Emit({kNak});
        deadline_ = now + kNakRepeat;
    }
}

std::vector<Emission> DeviceProtocol::TakeOutbox() {
    return std::exchange(outbox_, {});
}

std::optional<Payload> DeviceProtocol::TakeFinishedUpload() {
    return std::exchange(finishedUpload_, std::nullopt);
}

void DeviceProtocol::OnByte(std::uint8_t b, Clock::time_point now) {
    switch (mode_) {
        case Mode::Command:
            return OnCommandByte(b, now);
        case Mode::AwaitStart:
            return OnStartByte(b);
        case Mode::AwaitAck:
            return OnAckByte(b);
        case Mode::AwaitEotAnswer:
            return OnEotAnswerByte(b);
        case Mode::AwaitBlock:
            return OnAwaitBlockByte(b, now);
        case Mode::BlockBody:
            return OnBlockBodyByte(b, now);
        case Mode::Silent:
            OnResetByte(b);
            return;
        case Mode::Gone:
            return;
    }
}

void DeviceProtocol::OnCommandByte(std::uint8_t b, Clock::time_point now) {
    if (b == '$') {
        sentence_ = "$";
    } else if (sentence_.empty()) {
        return;  // bytes between sentences
    } else if (b == '\r' || b == '\n') {
        RunSentence(std::exchange(sentence_, {}), now);
    } else if (sentence_.size() >= kMaxSentence) {
        sentence_.clear();
    } else {
        sentence_ += static_cast<char>(b);
    }
}

void DeviceProtocol::RunSentence(const std::string& sentence, Clock::time_point now) {
    const std::optional<std::string> body = SentenceBody(sentence);
    const auto command = std::find_if(kCommands.begin(), kCommands.end(),
                                      [&](const Command& c) { return body && c.Body() == *body; });
    if (command == kCommands.end()) return Note("ignored " + sentence);
    Note("command " + sentence);
    const std::string_view argument = command->Body().substr(command->Body().find(',') + 1);
    switch (command->action) {
        case Action::Guider:
            return EmitReply(SettingsReply("103", memory_.settings.guider, command->replyLength));
        case Action::Logger:
            return EmitReply(SettingsReply("101", memory_.settings.logger, command->replyLength));
        case Action::Download:
            return StartDownload(command->payload, command->replyLength);
        case Action::Upload:
            return StartUpload(command->payload, AckReply(argument, command->replyLength), now);
        case Action::Acknowledge:
            return EmitReply(AckReply(argument, command->replyLength));
    }
}

bool DeviceProtocol::OnResetByte(std::uint8_t b) {
    if (b == kCan) {
        ToCommand("transfer cancelled");
    } else if (b == kDc3 && previous_ == kDc1) {
        ToCommand("link reset");
    } else if (b == '$') {
        ToCommand("transfer left for a new sentence");
        sentence_ = "$";
    } else {
        return false;
    }
    return true;
}

void DeviceProtocol::StartDownload(Payload payload, std::size_t replyLength) {
    transfer_ = Transfer{payload, memory_.Image(payload)};
    // The POI list is read from flash with the erased record after it, its
    // end mark.
    if (payload == Payload::Poi) transfer_.bytes.insert(transfer_.bytes.end(), kPoiSize, 0xFF);
    transfer_.blocks = BlockCount(transfer_.bytes.size());
    transfer_.straysDone.assign(options_.strays.size(), false);
    const std::string ack = AckReply(std::to_string(transfer_.bytes.size()), replyLength);
    EmitDownload(std::vector<std::uint8_t>(ack.begin(), ack.end()), 0);
    mode_ = Mode::AwaitStart;
    Note(std::string("download of ") + PayloadName(payload) + ": " +
         std::to_string(transfer_.blocks) + " blocks");
}

void DeviceProtocol::OnStartByte(std::uint8_t b) {
    if (b != kCrcStart) {
        OnResetByte(b);
    } else if (transfer_.startsIgnored < options_.ignoreStarts) {
        ++transfer_.startsIgnored;
        Note("\"C\" not heard");
    } else if (options_.etxFirst && !transfer_.etxSent) {
        transfer_.etxSent = true;
        Emit({kRestart});
    } else if (options_.eotFirst) {
        Note("nothing to send: EOT at once");
        Emit({kEot});
        mode_ = Mode::AwaitEotAnswer;
    } else {
        ContinueAfter(0);
    }
}

void DeviceProtocol::OnAckByte(std::uint8_t b) {
    if (b == kAck) {
        ContinueAfter(transfer_.current);
    } else if (b == kNak) {
        SendBlock(transfer_.current);
    } else {
        OnResetByte(b);
    }
}

void DeviceProtocol::OnEotAnswerByte(std::uint8_t b) {
    if (b == kCan || b == kAck) {
        ToCommand(std::string("download of ") + PayloadName(transfer_.payload) + " finished");
    } else if (b == kNak && options_.eotOnce) {
        Note("EOT refused; not sent again");
    } else if (b == kNak) {
        Emit({kEot});
    } else {
        OnResetByte(b);
    }
}

void DeviceProtocol::ContinueAfter(std::size_t blocks) {
    if (FaultAfter(blocks)) return;
    if (options_.repeatBlock == blocks && blocks > 0 && !transfer_.repeated) {
        transfer_.repeated = true;
        return SendBlock(blocks);
    }
    if (blocks >= transfer_.blocks) {
        std::vector<std::uint8_t> eot{kEot};
        Disturb(eot, blocks + 1);
        Emit(std::move(eot));
        mode_ = Mode::AwaitEotAnswer;
        return;
    }
    SendBlock(blocks + 1);
}

void DeviceProtocol::SendBlock(std::size_t number) {
    transfer_.current = number;
    std::vector<std::uint8_t> block = DownloadBlock(transfer_.bytes, number);
    if (options_.damageBlock == number && (options_.damageAlways || !transfer_.damaged)) {
        transfer_.damaged = true;
        block[kDamagedByte] ^= 0x5A;
        Note("block " + std::to_string(number) + " sent damaged");
    }
    EmitDownload(std::move(block), number);
    mode_ = Mode::AwaitAck;
}

void DeviceProtocol::StartUpload(Payload payload, const std::string& ack, Clock::time_point now) {
    transfer_ = Transfer{payload};
    EmitReply(ack);
    mode_ = Mode::AwaitBlock;
    Note(std::string("upload of ") + PayloadName(payload) + " started");
    if (FaultAfter(0)) return;
    Emit({kNak}, kFirstNakDelay);
    transfer_.naksLeft = kNakRepeats;
    deadline_ = now + kFirstNakDelay + kNakRepeat;
}

void DeviceProtocol::OnAwaitBlockByte(std::uint8_t b, Clock::time_point now) {
    if (b == kStx) {
        mode_ = Mode::BlockBody;
        transfer_.frame.clear();
        deadline_ = now + kBlockByteTimeout;
    } else if (b == kEot) {
        OnUploadEot();
    } else {
        OnResetByte(b);
    }
}

void DeviceProtocol::OnBlockBodyByte(std::uint8_t b, Clock::time_point now) {
    transfer_.frame.push_back(b);
    deadline_ = now + kBlockByteTimeout;
    if (transfer_.frame.size() < kBlockFrameLength) return;
    deadline_.reset();
    mode_ = Mode::AwaitBlock;
    AcceptFrame();
}

void DeviceProtocol::AcceptFrame() {
    const UploadFrame frame = ReadUploadFrame(std::span<const std::uint8_t, kBlockFrameLength>(
        transfer_.frame.data(), kBlockFrameLength));
    const auto expected = static_cast<std::uint8_t>(transfer_.blocks + 1);
    if (!frame.intact) {
        Note("upload block " + std::to_string(transfer_.blocks + 1) + " damaged; NAK");
        return Emit({kNak});
    }
    if (transfer_.blocks > 0 && frame.number == static_cast<std::uint8_t>(transfer_.blocks))
        return Emit({kAck});  // the PC repeated the block just kept
    if (frame.number != expected || transfer_.bytes.size() + kBlockSize > kMaxUploadBytes) {
        Emit({kCan, kCan});
        return ToCommand("upload refused: block " + std::to_string(frame.number) +
                         " out of sequence or over the size limit");
    }
    if (RefuseOnRequest(expected)) return;
    transfer_.bytes.insert(transfer_.bytes.end(), frame.data.begin(), frame.data.end());
    ++transfer_.blocks;
    if (FaultAfter(transfer_.blocks)) return;
    if (options_.cancelUploadAfter == transfer_.blocks) {
        Emit({kCan, kCan});
        return ToCommand("upload cancelled after " + std::to_string(transfer_.blocks) +
                         " blocks; nothing kept");
    }
    if (options_.strayAckAfter == transfer_.blocks) return Emit({kAck, kAck});
    Emit({kAck});
}

// The line fault that answers an intact upload block with NAK.
bool DeviceProtocol::RefuseOnRequest(std::uint8_t number) {
    if (options_.nakBlock != number || (transfer_.naked && !options_.nakAlways)) return false;
    transfer_.naked = true;
    Note("upload block " + std::to_string(number) + " refused on request; NAK");
    Emit({kNak});
    return true;
}

void DeviceProtocol::OnUploadEot() {
    if (!options_.nakEot || transfer_.eotNaked) return FinishUpload();
    transfer_.eotNaked = true;
    Note("EOT refused on request; NAK");
    Emit({kNak});
}

void DeviceProtocol::FinishUpload() {
    Emit({kAck});
    memory_.Image(transfer_.payload) = transfer_.bytes;
    finishedUpload_ = transfer_.payload;
    ToCommand(std::string("upload of ") + PayloadName(transfer_.payload) +
              " kept: " + std::to_string(transfer_.blocks) + " blocks");
}

bool DeviceProtocol::FaultAfter(std::size_t blocks) {
    if (options_.hangUpAfter == blocks) {
        Note("hanging up after " + std::to_string(blocks) + " blocks");
        outbox_.push_back(Emission{.hangUp = true});
        mode_ = Mode::Gone;
    } else if (options_.stallAfter == blocks) {
        Note("stalling after " + std::to_string(blocks) + " blocks");
        mode_ = Mode::Silent;
    } else {
        return false;
    }
    deadline_.reset();
    return true;
}

void DeviceProtocol::ToCommand(const std::string& why) {
    if (mode_ != Mode::Command) Note(why);
    mode_ = Mode::Command;
    sentence_.clear();
    transfer_ = Transfer{};
    deadline_.reset();
}

void DeviceProtocol::Emit(std::vector<std::uint8_t> bytes, milliseconds pause) {
    const int baud = mode_ == Mode::Command ? kCommandBaud : kTransferBaud;
    outbox_.push_back(Emission{std::move(bytes), baud, pause});
}

// The line's faults on what the device sends at `block` (0: the
// acknowledgement; one past the last: the EOT): stray bytes added, a byte
// lost.
void DeviceProtocol::Disturb(std::vector<std::uint8_t>& bytes, std::size_t block) {
    for (std::size_t i = 0; i < options_.strays.size() && i < transfer_.straysDone.size(); ++i) {
        const StrayBytes& stray = options_.strays[i];
        if (stray.at.block != block || transfer_.straysDone[i]) continue;
        transfer_.straysDone[i] = true;
        const std::size_t at = std::min(stray.at.offset, bytes.size());
        bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), stray.bytes.begin(),
                     stray.bytes.end());
        Note("stray bytes at block " + std::to_string(block));
    }
    const auto& drop = options_.dropByte;
    if (drop && drop->block == block && drop->offset < bytes.size() && !transfer_.byteDropped) {
        transfer_.byteDropped = true;
        bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(drop->offset));
        Note("a byte of block " + std::to_string(block) + " lost");
    }
}

void DeviceProtocol::EmitDownload(std::vector<std::uint8_t> bytes, std::size_t block) {
    Disturb(bytes, block);
    EmitAfterNoise(bytes);
}

void DeviceProtocol::StreamSentence(Clock::time_point now) {
    if (!options_.stream) {
        nextSentence_.reset();
        return;
    }
    if (nextSentence_ && now < *nextSentence_) return;
    Emit({kStreamSentence.begin(), kStreamSentence.end()});
    nextSentence_ = now + kSentenceInterval;
}

void DeviceProtocol::EmitAfterNoise(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> out;
    out.reserve(options_.noiseBytes + bytes.size());
    for (std::size_t i = 0; i < options_.noiseBytes; ++i)
        out.push_back(kNoise[noiseCursor_++ % kNoise.size()]);
    out.insert(out.end(), bytes.begin(), bytes.end());
    Emit(std::move(out));
}

void DeviceProtocol::EmitReply(const std::string& reply) {
    EmitAfterNoise({reinterpret_cast<const std::uint8_t*>(reply.data()), reply.size()});
}

void DeviceProtocol::Note(const std::string& text) const {
    if (log_) log_(text);
}

}  // namespace vantrel::sim
