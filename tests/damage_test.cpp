// Damaged archives: every truncation and many corruptions of a small one.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "archive/entry_inflater.h"
#include "archive/pac_header.h"
#include "platform/platform.h"
#include "test_support.h"

namespace {

const std::vector<std::string> CONTENTS = {
    "BM first entry, first entry", std::string(3000, 'x') + "second", "third"};

struct Extracted {
  std::vector<std::string> entries;
  bool complete;  // every entry the header counts was extracted
};

// What zlib itself makes of the archive: each entry inflated in turn from
// where the previous one ended, the whole archive in memory.
Extracted reference_extract(const std::string& archive) {
  Extracted result{{}, false};
  PacHeader header;
  if (decode_pac_header(reinterpret_cast<const unsigned char*>(archive.data()),
                        archive.size(), &header) != HEADER_OK) {
    return result;
  }
  size_t offset = PAC_HEADER_SIZE;
  for (uint32_t i = 0; i < header.entry_count; ++i) {
    z_stream stream{};
    inflateInit(&stream);
    stream.next_in =
        reinterpret_cast<Bytef*>(const_cast<char*>(archive.data() + offset));
    stream.avail_in = archive.size() - offset;
    std::string data;
    int status;
    do {
      char chunk[4096];
      stream.next_out = reinterpret_cast<Bytef*>(chunk);
      stream.avail_out = sizeof(chunk);
      status = inflate(&stream, Z_NO_FLUSH);
      data.append(chunk, sizeof(chunk) - stream.avail_out);
    } while (status == Z_OK);
    offset = archive.size() - stream.avail_in;
    inflateEnd(&stream);
    if (status != Z_STREAM_END) return result;
    result.entries.push_back(data);
  }
  result.complete = true;
  return result;
}

// The program's own reader over the same bytes; it prints its messages.
Extracted program_extract(const std::string& archive,
                          std::vector<unsigned char>* buffer) {
  Extracted result{{}, false};
  FILE* file = std::tmpfile();
  std::fwrite(archive.data(), 1, archive.size(), file);
  std::rewind(file);
  PacHeader header;
  if (check_pac_header(file, "x.pac", &header)) {
    EntryInflater inflater;
    start_entry_inflater(&inflater, file);
    uint64_t i = 0;
    for (; i < header.entry_count; ++i) {
      int64_t left;
      while ((left = inflate_entry(&inflater, buffer->data(),
                                   buffer->size())) == ENTRY_BUFFER_FULL) {
        buffer->resize(buffer->size() + (1 << 20));
      }
      if (left < 0) break;
      result.entries.emplace_back(reinterpret_cast<char*>(buffer->data()),
                                  buffer->size() - left);
    }
    result.complete = i == header.entry_count;
  }
  std::fclose(file);
  return result;
}

TEST(Damage, EveryTruncationStopsCleanlyAfterTheWholeEntries) {
  std::vector<size_t> ends = {PAC_HEADER_SIZE};  // where each entry ends
  std::string archive =
      make_archive({}, static_cast<uint32_t>(CONTENTS.size()));
  for (const std::string& content : CONTENTS) {
    archive += zlib_entry(content);
    ends.push_back(archive.size());
  }
  const std::string SEP(1, PATH_SEPARATOR);
  for (size_t cut = 0; cut <= archive.size(); ++cut) {
    TempDir dir;
    write_file(dir.file("x.pac"), archive.substr(0, cut));
    RunResult result = run_qymorvint({"x.pac"}, "", dir.path());
    size_t whole = 0;
    while (whole < CONTENTS.size() && ends[whole + 1] <= cut) ++whole;
    EXPECT_EQ(result.status, cut == archive.size() ? 0 : 1) << cut;
    if (cut < PAC_HEADER_SIZE) {
      EXPECT_EQ(list_dir(dir.path()), (std::vector<std::string>{"x.pac"}))
          << cut;
      continue;
    }
    std::vector<std::string> files = list_dir(dir.file("#x.pac#"));
    ASSERT_EQ(files.size(), whole) << cut;
    for (size_t i = 0; i < whole; ++i) {
      EXPECT_EQ(read_file(dir.file("#x.pac#" + SEP + files[i])), CONTENTS[i])
          << cut;
    }
    if (whole < CONTENTS.size()) {
      std::string index = std::to_string(whole + 1);
      EXPECT_EQ(result.err.substr(result.err.size() -
                                  console_text(index + "ファイル目)\n").size()),
                console_text(index + "ファイル目)\n"))
          << cut;
    }
  }
}

TEST(Damage, CorruptionGivesWhatZlibGivesAndNoMore) {
  std::string archive = make_archive_of(CONTENTS);
  std::vector<std::string> damaged;
  for (size_t bit = 0; bit < archive.size() * 8; ++bit) {
    damaged.push_back(archive);
    damaged.back()[bit / 8] ^= static_cast<char>(1 << (bit % 8));
  }
  std::mt19937 generator(7);
  for (int i = 0; i < 2000; ++i) {
    damaged.push_back(archive);
    for (int changes = 1 + generator() % 4; changes > 0; --changes) {
      damaged.back()[generator() % archive.size()] =
          static_cast<char>(generator());
    }
  }
  size_t mismatches = 0;
  std::vector<unsigned char> buffer(1 << 20);
  testing::internal::CaptureStdout();
  testing::internal::CaptureStderr();
  for (const std::string& bytes : damaged) {
    Extracted expected = reference_extract(bytes);
    Extracted got = program_extract(bytes, &buffer);
    if (got.entries != expected.entries || got.complete != expected.complete)
      ++mismatches;
  }
  testing::internal::GetCapturedStdout();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(mismatches, 0u);
}

}  // namespace
