#include <gtest/gtest.h>

#include "platform/platform.h"

namespace {

TEST(PosixPaths, OnlyTheSlashSeparates) {
  EXPECT_EQ(base_name_offset("games/sample/data.pac"), 13u);
  EXPECT_EQ(base_name_offset("/data.pac"), 1u);
  EXPECT_EQ(base_name_offset("back\\slash.pac"), 0u);
  EXPECT_EQ(base_name_offset("data.pac"), 0u);
}

}  // namespace
