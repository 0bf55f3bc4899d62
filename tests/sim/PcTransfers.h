#pragma once
// Block transfers done the way the PC does them, checking every frame.

#include <string_view>

#include "PcPort.h"

namespace vantrel::sim::testing {

struct DownloadResult {
    std::string ack;
    Bytes data;                  // the data of every block received, in order
    std::vector<int> numbers;    // the block numbers as sent
    int badFrames = 0;           // wrong complement or CRC
    int etxBytes = 0;            // 0x03 answered with "C"
    std::size_t strayBytes = 0;  // anything else between blocks
    bool endedWithEot = false;
};

// Sends the request, reads the acknowledgement, sends "C", answers every
// block with ACK and the EOT with CAN. Stops early when the device goes
// quiet for `quiet`.
DownloadResult DownloadAsPc(PcPort& port, std::string_view sentence,
                            std::chrono::milliseconds quiet = 2s);

// STX and the 1027 bytes after it: number, complement, data, 8-bit sum.
Bytes UploadFrame(int number, std::span<const std::uint8_t> data);

// The 1024-byte blocks the PC sends for an image: the image padded with
// 0xFF, and one block more when the image fills its blocks exactly.
std::vector<Bytes> UploadBlocks(std::span<const std::uint8_t> image);

}  // namespace vantrel::sim::testing
