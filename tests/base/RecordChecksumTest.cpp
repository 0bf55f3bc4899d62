#include "base/RecordChecksum.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(RecordChecksum, BytesPlusChecksumSumToZero) {
    const std::uint8_t zeros[18] = {};
    EXPECT_EQ(RecordChecksum(zeros, 18), 0);
    // The worked track record: its checksum field reads 0xF82A.
    const std::uint8_t record[18] = {0x00, 0xCA, 0x9A, 0x3B, 0x9B, 0x41, 0xCF, 0xFF, 0x65,
                                     0xBE, 0x30, 0x00, 0xFB, 0x78, 0x44, 0x00, 0x7B, 0x08};
    EXPECT_EQ(RecordChecksum(record, 18), 0xF82A);
}

}  // namespace
}  // namespace vantrel
