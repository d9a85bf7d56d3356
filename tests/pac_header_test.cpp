#include "archive/pac_header.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

struct HeaderCase {
  const char* what;
  std::string bytes;
  HeaderCheck expected;
};

TEST(PacHeader, DecodesAndChecks) {
  const HeaderCase cases[] = {
      {"valid", std::string("PAC\0", 4) + le32(0x01020304) + le32(3),
       HEADER_OK},
      {"fourth byte not zero", "PACK" + le32(1) + le32(3),
       HEADER_NOT_SUPPORTED},
      {"other signature",
       "\x7f"
       "ELF" +
           le32(1) + le32(3),
       HEADER_NOT_SUPPORTED},
      {"version 2", std::string("PAC\0", 4) + le32(1) + le32(2),
       HEADER_WRONG_VERSION},
      {"version 4", std::string("PAC\0", 4) + le32(1) + le32(4),
       HEADER_WRONG_VERSION},
      {"version in the high byte",
       std::string("PAC\0", 4) + le32(1) + le32(0x03000000),
       HEADER_WRONG_VERSION},
      {"eleven bytes",
       std::string("PAC\0", 4) + le32(1) + std::string("\3\0\0", 3),
       HEADER_NOT_SUPPORTED},
      {"empty", "", HEADER_NOT_SUPPORTED},
  };
  for (const HeaderCase& c : cases) {
    PacHeader header;
    EXPECT_EQ(decode_pac_header(
                  reinterpret_cast<const unsigned char*>(c.bytes.data()),
                  c.bytes.size(), &header),
              c.expected)
        << c.what;
  }
  PacHeader header;
  std::string valid = cases[0].bytes + "entries";
  ASSERT_EQ(
      decode_pac_header(reinterpret_cast<const unsigned char*>(valid.data()),
                        valid.size(), &header),
      HEADER_OK);
  EXPECT_EQ(header.entry_count, 0x01020304u);
  EXPECT_EQ(header.version, PAC_VERSION);
}

}  // namespace
