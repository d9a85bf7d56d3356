#include "archive/entry_inflater.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <vector>

#include "test_support.h"

namespace {

// An archive body (entries only) in a temporary file, read from its start.
class Body {
 public:
  explicit Body(const std::string& bytes) : file_(std::tmpfile()) {
    std::fwrite(bytes.data(), 1, bytes.size(), file_);
    std::rewind(file_);
    start_entry_inflater(&inflater_, file_);
  }
  ~Body() {
    inflater_.stream.reset();
    std::fclose(file_);
  }
  EntryInflater* inflater() { return &inflater_; }

 private:
  FILE* file_;
  EntryInflater inflater_;
};

// Inflates one entry, growing the buffer by 1 MiB whenever it is full, and
// returns its data; counts the growths.
std::string inflate_growing(EntryInflater* inflater,
                            std::vector<unsigned char>* buffer, int* growths,
                            int64_t* result) {
  while ((*result = inflate_entry(inflater, buffer->data(), buffer->size())) ==
         ENTRY_BUFFER_FULL) {
    buffer->resize(buffer->size() + (1 << 20));
    ++*growths;
  }
  if (*result < 0) return "";
  return std::string(reinterpret_cast<char*>(buffer->data()),
                     buffer->size() - *result);
}

// Compresses data in one go with a stream set up by the caller; ends it.
std::string finish_deflate(z_stream* stream, const std::string& data) {
  std::string out(deflateBound(stream, data.size()) + 32, '\0');
  stream->next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream->avail_in = data.size();
  stream->next_out = reinterpret_cast<Bytef*>(out.data());
  stream->avail_out = out.size();
  deflate(stream, Z_FINISH);
  out.resize(stream->total_out);
  deflateEnd(stream);
  return out;
}

std::string with_dictionary(const std::string& data) {
  z_stream stream{};
  deflateInit(&stream, Z_DEFAULT_COMPRESSION);
  const char dictionary[] = "a preset dictionary";
  deflateSetDictionary(&stream, reinterpret_cast<const Bytef*>(dictionary),
                       sizeof(dictionary));
  return finish_deflate(&stream, data);
}

std::string gzip_wrapped(const std::string& data) {
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8,
               Z_DEFAULT_STRATEGY);
  return finish_deflate(&stream, data);
}

TEST(EntryInflater, ReadsEntriesBackToBackAcrossChunks) {
  // Incompressible entries store about their own size, so the second and
  // third start inside later 1 MiB chunks.
  std::vector<std::string> contents = {
      random_bytes(2'621'440, 1), "small entry", random_bytes(1'500'000, 2),
      std::string(3'000'000, 'z')};
  std::string body;
  for (const std::string& content : contents) body += zlib_entry(content);
  Body archive(body + "bytes after the last entry");

  std::vector<unsigned char> buffer(1 << 20);
  std::vector<int> growths;
  testing::internal::CaptureStderr();
  for (const std::string& content : contents) {
    int grown = 0;
    int64_t result;
    EXPECT_EQ(inflate_growing(archive.inflater(), &buffer, &grown, &result),
              content);
    growths.push_back(grown);
  }
  std::string err = captured_stderr();
  // The 2.5 MiB entry grows the buffer to 3 MiB, which the later ones fit.
  EXPECT_EQ(growths, (std::vector<int>{2, 0, 0, 0}));
  std::string full =
      "展開エラー（inflate関数）：出力バッファーが足りません。\n";
  EXPECT_EQ(err, captured_text(full + full));
}

TEST(EntryInflater, ExactFitSucceedsWithNothingLeft) {
  // Stored blocks push the trailer of this 1 MiB entry into the second
  // chunk: the full buffer must still not count as too small.
  for (const std::string& content :
       {std::string(1 << 20, 'a'), random_bytes(1 << 20, 3)}) {
    Body archive(zlib_entry(content) + zlib_entry("next"));
    std::vector<unsigned char> buffer(1 << 20);
    testing::internal::CaptureStderr();
    EXPECT_EQ(inflate_entry(archive.inflater(), buffer.data(), buffer.size()),
              0);
    EXPECT_EQ(captured_stderr(), "");
    EXPECT_EQ(std::memcmp(buffer.data(), content.data(), content.size()), 0);
    EXPECT_EQ(inflate_entry(archive.inflater(), buffer.data(), buffer.size()),
              (1 << 20) - 4);
  }
}

struct FaultCase {
  const char* what;
  std::string body;
  int64_t expected;
  std::string message;
};

TEST(EntryInflater, ReportsFaults) {
  std::string entry = zlib_entry("some entry data, some entry data");
  std::string bad_check = entry;
  bad_check.back() ^= 0x01;
  const FaultCase cases[] = {
      {"preset dictionary", with_dictionary("dictionary data"), ENTRY_FAILED,
       "展開エラー（inflate関数）: ???\n"},
      {"gzip wrapper", gzip_wrapped("gzip data"), ENTRY_FAILED,
       "展開エラー（inflate関数）: incorrect header check\n"},
      {"damaged Adler-32", bad_check, ENTRY_FAILED,
       "展開エラー（inflate関数）: incorrect data check\n"},
      {"cut inside the entry", entry.substr(0, entry.size() - 3),
       ENTRY_INPUT_ENDED, ""},
      {"no entry at all", "", ENTRY_INPUT_ENDED, ""},
  };
  for (const FaultCase& c : cases) {
    Body archive(c.body);
    std::vector<unsigned char> buffer(1 << 20);
    testing::internal::CaptureStderr();
    EXPECT_EQ(inflate_entry(archive.inflater(), buffer.data(), buffer.size()),
              c.expected)
        << c.what;
    EXPECT_EQ(captured_stderr(), captured_text(c.message)) << c.what;
  }
}

}  // namespace
