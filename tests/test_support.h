// Archives built in the tests, scratch directories, and running the real
// executable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One entry as the archive stores it: zlib's compress of data.
std::string zlib_entry(const std::string& data);

std::string le32(uint32_t value);

// The 12-byte header followed by the entries, back to back.
std::string make_archive(const std::vector<std::string>& entries,
                         uint32_t entry_count, uint32_t version = 3);
// Compresses each of contents and stores it with a matching entry count.
std::string make_archive_of(const std::vector<std::string>& contents);

// Reproducible bytes that do not compress.
std::string random_bytes(size_t size, uint32_t seed);

// A fresh directory, removed with all it holds at the end of the test.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  // path/name, with the platform's separator.
  std::string file(const std::string& name) const;

 private:
  std::string path_;
};

void write_file(const std::string& path, const std::string& bytes);
bool file_exists(const std::string& path);
std::string read_file(const std::string& path);
// The names in a directory, sorted; empty when it does not exist.
std::vector<std::string> list_dir(const std::string& path);

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

// Resource limits for the child, in bytes; 0 is no limit. Only the Linux
// runner applies them.
struct RunLimits {
  uint64_t address_space = 0;
  uint64_t file_size = 0;
  unsigned kill_after_ms = 0;  // SIGKILL once this long has passed
};

// Runs the qyMorvint executable built beside the test binary in the
// working directory dir, with args after the program name and input as
// standard input.
RunResult run_qymorvint(const std::vector<std::string>& args,
                        const std::string& input, const std::string& dir,
                        const RunLimits& limits = RunLimits());

// The same for qyMorvint-pack.
RunResult run_qymorvint_pack(const std::vector<std::string>& args, const std::string& dir);

// Platform part of run_qymorvint (run_program_*.cpp).
RunResult run_program(const std::string& program,
                      const std::vector<std::string>& args,
                      const std::string& input, const std::string& dir,
                      const RunLimits& limits);

// What the program prints for the UTF-8 text with LF line ends: the same
// on Linux; code page 932 with CR LF on Windows.
std::string console_text(const std::string& utf8);

// Standard error as the tests capture it within their own process, read
// back in text mode: console_text without the CRs.
std::string captured_stderr();
std::string captured_text(const std::string& utf8);

// The directory holding the test binary, ending in a separator.
extern std::string g_test_binary_dir;
