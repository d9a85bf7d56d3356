#include "test_support.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

#include "platform/platform.h"

namespace fs = std::filesystem;

std::string g_test_binary_dir;

std::string zlib_entry(const std::string& data) {
  uLongf size = compressBound(data.size());
  std::string out(size, '\0');
  int status =
      compress(reinterpret_cast<Bytef*>(out.data()), &size,
               reinterpret_cast<const Bytef*>(data.data()), data.size());
  EXPECT_EQ(status, Z_OK);
  out.resize(size);
  return out;
}

std::string le32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>(value >> (8 * i));
  return bytes;
}

std::string make_archive(const std::vector<std::string>& entries,
                         uint32_t entry_count, uint32_t version) {
  std::string archive =
      std::string("PAC", 4) + le32(entry_count) + le32(version);
  for (const std::string& entry : entries) archive += entry;
  return archive;
}

std::string make_archive_of(const std::vector<std::string>& contents) {
  std::vector<std::string> entries;
  for (const std::string& content : contents)
    entries.push_back(zlib_entry(content));
  return make_archive(entries, static_cast<uint32_t>(entries.size()));
}

std::string random_bytes(size_t size, uint32_t seed) {
  std::mt19937 generator(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(generator());
  return bytes;
}

TempDir::TempDir() {
  static std::mt19937_64 generator(std::random_device{}());
  fs::path dir;
  do {
    dir = fs::temp_directory_path() /
          ("qymorvint-test-" + std::to_string(generator()));
  } while (!fs::create_directory(dir));
  path_ = dir.string();
}

TempDir::~TempDir() {
  std::error_code error;
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  for (const auto& item : fs::recursive_directory_iterator(path_, error)) {
    fs::permissions(item.path(), fs::perms::owner_all, fs::perm_options::add,
                    error);
  }
  fs::remove_all(path_, error);
}

std::string TempDir::file(const std::string& name) const {
  return path_ + PATH_SEPARATOR + name;
}

void write_file(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  ASSERT_EQ(std::fclose(file), 0);
}

bool file_exists(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file) std::fclose(file);
  return file != nullptr;
}

std::string read_file(const std::string& path) {
  std::string bytes;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0)
    bytes.append(chunk, got);
  std::fclose(file);
  return bytes;
}

std::vector<std::string> list_dir(const std::string& path) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : fs::directory_iterator(path, error)) {
    names.push_back(item.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

namespace {

std::string without_cr(std::string text) {
  std::erase(text, '\r');
  return text;
}

}  // namespace

std::string captured_stderr() {
  return without_cr(testing::internal::GetCapturedStderr());
}

std::string captured_text(const std::string& utf8) {
  return without_cr(console_text(utf8));
}

RunResult run_qymorvint(const std::vector<std::string>& args,
                        const std::string& input, const std::string& dir,
                        const RunLimits& limits) {
  return run_program(g_test_binary_dir + "qyMorvint", args, input, dir, limits);
}

RunResult run_qymorvint_pack(const std::vector<std::string>& args, const std::string& dir) {
  return run_program(g_test_binary_dir + "qyMorvint-pack", args, "", dir, RunLimits());
}

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::string self = argv[0];
  size_t cut = base_name_offset(self);
  g_test_binary_dir = self.substr(0, cut);
  if (g_test_binary_dir.empty())
    g_test_binary_dir = std::string(".") + PATH_SEPARATOR;
  return RUN_ALL_TESTS();
}
