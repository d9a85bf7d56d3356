#include <gtest/gtest.h>

#include <filesystem>

#include "platform/platform.h"
#include "test_support.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool SANITIZED_BUILD = true;
#else
constexpr bool SANITIZED_BUILD = false;
#endif

TEST(PosixPaths, OnlyTheSlashSeparates) {
  EXPECT_EQ(base_name_offset("games/sample/data.pac"), 13u);
  EXPECT_EQ(base_name_offset("/data.pac"), 1u);
  EXPECT_EQ(base_name_offset("back\\slash.pac"), 0u);
  EXPECT_EQ(base_name_offset("data.pac"), 0u);
}

// Write faults and memory limits that Linux lets a test make.
class PosixFaults : public testing::Test {
 protected:
  void SetUp() override {
    write_file(dir.file("x.pac"), make_archive_of(contents));
    std::filesystem::create_directory(dir.file("#x.pac#"));
  }
  std::string entry(const char* name) const {
    return dir.file("#x.pac#") + "/" + name;
  }
  std::vector<std::string> files() const {
    return list_dir(dir.file("#x.pac#"));
  }

  TempDir dir;
  std::vector<std::string> contents = {"first", random_bytes(300'000, 5),
                                       "third"};
};

TEST_F(PosixFaults, AWriteCutShortByTheFileSizeLimit) {
  RunLimits limits;
  limits.file_size = 100'000;
  RunResult result = run_qymorvint({"x.pac"}, "", dir.path(), limits);
  EXPECT_EQ(result.err, "#x.pac#/x2.datの展開に失敗しました。終了します。\n");
  EXPECT_EQ(result.out, "#x.pac#/x1.datを処理終了\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(files(), (std::vector<std::string>{"x1.dat"}));
}

TEST_F(PosixFaults, AFailedCloseOnAFullDisk) {
  // The small entry fits the stream's buffer: only the close fails.
  std::filesystem::create_symlink("/dev/full", entry("x1.dat.part"));
  RunResult result = run_qymorvint({"x.pac"}, "", dir.path());
  EXPECT_EQ(result.err, "#x.pac#/x1.datの展開に失敗しました。終了します。\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(files(), std::vector<std::string>{});
}

TEST_F(PosixFaults, AnEntryNameTakenByADirectory) {
  std::filesystem::create_directory(entry("x2.dat"));
  RunResult result = run_qymorvint({"x.pac"}, "", dir.path());
  EXPECT_EQ(result.err, "#x.pac#/x2.datの展開に失敗しました。終了します。\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(files(), (std::vector<std::string>{"x1.dat", "x2.dat"}));
  EXPECT_TRUE(list_dir(entry("x2.dat")).empty());
}

TEST(PosixMemory, ABombPastTheMemoryLimitIsRefused) {
  if (SANITIZED_BUILD)
    GTEST_SKIP() << "the sanitizers reserve more than the limit";
  TempDir dir;
  // 128 MiB of zeros compress to about 128 KiB.
  write_file(dir.file("bomb.pac"),
             make_archive_of({"small", std::string(128 << 20, '\0')}));
  RunLimits limits;
  limits.address_space = 64 << 20;
  RunResult result = run_qymorvint({"bomb.pac"}, "", dir.path(), limits);
  EXPECT_EQ(result.status, 1);
  std::string tail = "メモリが足りません。終了します。(in    2ファイル目)\n";
  ASSERT_GE(result.err.size(), tail.size());
  EXPECT_EQ(result.err.substr(result.err.size() - tail.size()), tail);
  EXPECT_EQ(list_dir(dir.file("#bomb.pac#")),
            (std::vector<std::string>{"bomb1.dat"}));
}
}  // namespace
