#include "core/sweep/scanrecords.h"

#include <gtest/gtest.h>

#include <string>

#include "browsers/scandrv.h"
#include "platform/sim/machine.h"
#include "platform/text.h"

namespace sweep {
namespace {

using browsers::NumberedKey;
using browsers::WriteInitialScanFile;

const std::string kScanFile = "C:\\data\\vostscan6.ini";

class ScanRecordsTest : public ::testing::Test {
 protected:
  sim::Machine m;
  platform::Ini& Ini() { return m.Platform().ini; }
  // Each record as the surveys read it key by key before.
  void ExpectSameAsKeyByKey(const ScanRecords& records, const char* section) {
    for (int n = 1; n <= kScanSectionSize; ++n) {
      EXPECT_EQ(records[n],
                text::Trim(Ini().ReadString(kScanFile, section, NumberedKey("P", n), " ")))
          << "P" << n;
    }
  }
};

TEST_F(ScanRecordsTest, RecordsReadAsTheKeyByKeyReadsOfTheSameFile) {
  m.Builder().File(kScanFile,
                   "[H53]\r\n"
                   "P1=other section\r\n"
                   "[P45]\r\n"
                   "P1=  C:\\Profiles\\a\\  \r\n"
                   "P2=\r\n"
                   "p3=lower-case key\r\n"
                   "P07=not P7\r\n"
                   "P5=\r\n"
                   "P5=second of a duplicate\r\n"
                   "  P8  = ' quoted '\r\n"
                   "P9\r\n"
                   "P10=a=b\r\n"
                   "P100=last\r\n"
                   "P101=past the section's range\r\n"
                   "P0=not a record\r\n"
                   "Px=no number\r\n"
                   "[p45]\r\n"
                   "P11=in a duplicate section\r\n");
  const ScanRecords records(Ini(), kScanFile, "P45");
  ExpectSameAsKeyByKey(records, "P45");
  EXPECT_EQ(records[1], "C:\\Profiles\\a\\");
  EXPECT_EQ(records[3], "lower-case key");
  EXPECT_EQ(records[5], "");
  EXPECT_EQ(records[7], "");
  EXPECT_EQ(records[8], "quoted");
  EXPECT_EQ(records[10], "a=b");
  EXPECT_EQ(records[11], "");
  EXPECT_EQ(records[100], "last");
  // Numbers outside the records give an empty text, not a stray read.
  EXPECT_EQ(records[0], "");
  EXPECT_EQ(records[101], "");
  EXPECT_EQ(records[-1], "");
}

TEST_F(ScanRecordsTest, TheFirstRunFileAndAMissingFileGiveNoRecords) {
  const ScanRecords missing(Ini(), kScanFile, "HI24");
  for (int n = 1; n <= kScanSectionSize; ++n) EXPECT_EQ(missing[n], "");
  m.Builder().Folder("C:\\data");
  ASSERT_TRUE(WriteInitialScanFile(m.Platform().fs, kScanFile));
  ASSERT_TRUE(Ini().WriteString(kScanFile, "HI24", "P2", "C:\\second"));
  const ScanRecords records(Ini(), kScanFile, "HI24");
  ExpectSameAsKeyByKey(records, "HI24");
  EXPECT_EQ(records[1], "");
  EXPECT_EQ(records[2], "C:\\second");
}

}  // namespace
}  // namespace sweep
