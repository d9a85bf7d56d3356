#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <cstring>
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

TEST_F(PosixFaults, AKilledRunLeavesNoPartialFileUnderAnEntrysName) {
  // A FIFO in place of the temporary file holds the run inside entry 2's
  // write until it is killed.
  ASSERT_EQ(mkfifo(entry("x2.dat.part").c_str(), 0600), 0);
  RunLimits limits;
  limits.kill_after_ms = 300;
  RunResult result = run_qymorvint({"x.pac"}, "", dir.path(), limits);
  EXPECT_EQ(result.status, 128 + SIGKILL);
  EXPECT_EQ(files(), (std::vector<std::string>{"x1.dat", "x2.dat.part"}));
  EXPECT_EQ(read_file(entry("x1.dat")), contents[0]);
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

namespace {

// Appends a zlib entry of size zeros made of stored blocks whose data are
// left as holes in the file, so that gigabytes take no disk.
void append_zero_entry(FILE* file, uint64_t size) {
  std::fwrite("\x78\x01", 1, 2, file);
  uint64_t left = size;
  do {
    unsigned length = left > 65535 ? 65535 : static_cast<unsigned>(left);
    left -= length;
    unsigned char block[5] = {static_cast<unsigned char>(left == 0),
                              static_cast<unsigned char>(length),
                              static_cast<unsigned char>(length >> 8),
                              static_cast<unsigned char>(~length),
                              static_cast<unsigned char>(~length >> 8)};
    std::fwrite(block, 1, sizeof(block), file);
    fseeko(file, length, SEEK_CUR);
  } while (left > 0);
  // Adler-32 of zeros: the low sum stays 1, the high one is size mod 65521.
  uint32_t adler = static_cast<uint32_t>(size % 65521) << 16 | 1;
  unsigned char trailer[4] = {static_cast<unsigned char>(adler >> 24),
                              static_cast<unsigned char>(adler >> 16),
                              static_cast<unsigned char>(adler >> 8),
                              static_cast<unsigned char>(adler)};
  std::fwrite(trailer, 1, sizeof(trailer), file);
}

bool all_zero(const std::string& path, uint64_t size) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::vector<char> chunk(1 << 20), zeros(1 << 20);
  uint64_t total = 0;
  size_t got;
  bool zero = true;
  while (zero && (got = std::fread(chunk.data(), 1, chunk.size(), file)) > 0) {
    zero = std::memcmp(chunk.data(), zeros.data(), got) == 0;
    total += got;
  }
  std::fclose(file);
  return zero && total == size;
}

// Slow: writes 4 GiB of entry files. Run with ctest --preset slow.
TEST(SlowLargeArchive, EntriesPastFourGiBComeOutWhole) {
  TempDir dir;
  const uint64_t big = (uint64_t{1} << 30) + 12345;
  std::vector<std::string> tail = {random_bytes(70'000, 8), "last entry"};
  FILE* file = std::fopen(dir.file("big.pac").c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::string header = make_archive({}, 6);
  std::fwrite(header.data(), 1, header.size(), file);
  for (int i = 0; i < 4; ++i) append_zero_entry(file, big);
  ASSERT_GT(ftello(file), int64_t{4} << 30);
  for (const std::string& content : tail) {
    std::string entry = zlib_entry(content);
    std::fwrite(entry.data(), 1, entry.size(), file);
  }
  ASSERT_EQ(std::fclose(file), 0);

  RunResult result = run_qymorvint({"big.pac"}, "", dir.path());
  EXPECT_EQ(result.status, 0) << result.err;
  std::string prefix = dir.file("#big.pac#") + "/big";
  for (int i = 1; i <= 4; ++i)
    EXPECT_TRUE(all_zero(prefix + std::to_string(i) + ".dat", big)) << i;
  EXPECT_EQ(read_file(prefix + "5.dat"), tail[0]);
  EXPECT_EQ(read_file(prefix + "6.dat"), tail[1]);
}

}  // namespace
