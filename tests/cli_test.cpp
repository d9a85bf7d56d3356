// The program as a user runs it: messages, files and exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/platform.h"
#include "test_support.h"

namespace {

const std::string SEP(1, PATH_SEPARATOR);
const std::string BUFFER_FULL =
    "展開エラー（inflate関数）：出力バッファーが足りません。\n";
const std::string GROWN = "主力バッファ+1MB\n";

std::string written(const std::string& name) { return name + "を処理終了\n"; }

std::string stopped_at(const char* index) {
  return std::string("終了します。(in") + index + "ファイル目)\n";
}

// Entry file names for entries 1 to count with the given extension.
std::vector<std::string> numbered(const std::string& stem, int width, int count,
                                  const char* extension = "dat") {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) {
    std::string number = std::to_string(i);
    number.insert(0, width - number.size(), '0');
    names.push_back(stem + number + "." + extension);
  }
  return names;
}

TEST(Cli, ExtractsEveryEntryWithItsTypeAndGrowsTheBuffer) {
  TempDir dir;
  std::vector<std::string> contents = {"BM" + random_bytes(5000, 1),
                                       "OggS" + random_bytes(1'572'860, 2),
                                       "plain data"};
  write_file(dir.file("data.pac"),
             make_archive_of(contents) + "bytes after the last entry");

  for (int run = 0; run < 2; ++run) {  // a second run replaces the files
    RunResult result = run_qymorvint({"data.pac"}, "", dir.path());
    std::string out_dir = "#data.pac#" + SEP;
    EXPECT_EQ(result.out, console_text(written(out_dir + "data1.bmp") + GROWN +
                                       written(out_dir + "data2.ogg") +
                                       written(out_dir + "data3.dat")));
    EXPECT_EQ(result.err, console_text(BUFFER_FULL));
    EXPECT_EQ(result.status, 0);
  }
  EXPECT_EQ(list_dir(dir.file("#data.pac#")),
            (std::vector<std::string>{"data1.bmp", "data2.ogg", "data3.dat"}));
  EXPECT_EQ(read_file(dir.file("#data.pac#" + SEP + "data1.bmp")), contents[0]);
  EXPECT_EQ(read_file(dir.file("#data.pac#" + SEP + "data2.ogg")), contents[1]);
  EXPECT_EQ(read_file(dir.file("#data.pac#" + SEP + "data3.dat")), contents[2]);
}

TEST(Cli, KeepsTheGrownBufferForLaterEntries) {
  TempDir dir;
  std::string path = dir.file("music.pac");
  std::vector<std::string> contents = {random_bytes(2'621'440, 3), "tiny",
                                       std::string(3'000'000, 'q'),
                                       std::string(3'500'000, 'r')};
  write_file(path, make_archive_of(contents));
  RunResult result =
      run_qymorvint({path, "ignored", "arguments"}, "", dir.path());
  std::string prefix = dir.file("#music.pac#") + SEP + "music";
  EXPECT_EQ(result.out,
            console_text(GROWN + GROWN + written(prefix + "1.dat") +
                         written(prefix + "2.dat") + written(prefix + "3.dat") +
                         GROWN + written(prefix + "4.dat")));
  EXPECT_EQ(result.err, console_text(BUFFER_FULL + BUFFER_FULL + BUFFER_FULL));
  EXPECT_EQ(result.status, 0);
  for (size_t i = 0; i < contents.size(); ++i) {
    EXPECT_EQ(read_file(prefix + std::to_string(i + 1) + ".dat"), contents[i])
        << i;
  }
}

TEST(Cli, NamesFollowTheEntryCountAndTheBaseName) {
  struct Case {
    const char* archive;
    int count;
    std::vector<std::string> files;
  };
  const Case cases[] = {
      {"data.pac", 1, numbered("data", 1, 1)},
      {"data.pac", 9, numbered("data", 1, 9)},
      {"data.pac", 12, numbered("data", 2, 12)},
      {"data.pac", 100, numbered("data", 3, 100)},
      {"abcd", 2, numbered("", 1, 2)},
      {"abc", 5, numbered("", 1, 5)},
      {"a", 1, numbered("", 1, 1)},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::vector<std::string> contents;
    for (int i = 0; i < c.count; ++i)
      contents.push_back("entry " + std::to_string(i));
    write_file(dir.file(c.archive), make_archive_of(contents));
    RunResult result = run_qymorvint({c.archive}, "", dir.path());
    std::string out_dir = std::string("#") + c.archive + "#";
    EXPECT_EQ(result.status, 0) << c.archive << " " << c.count;
    EXPECT_EQ(list_dir(dir.path()),
              (std::vector<std::string>{out_dir, c.archive}));
    EXPECT_EQ(list_dir(dir.file(out_dir)), c.files)
        << c.archive << " " << c.count;
    EXPECT_EQ(read_file(dir.file(out_dir + SEP + c.files.back())),
              "entry " + std::to_string(c.count - 1));
  }
}

TEST(Cli, StopsAtTheFirstEntryThatFails) {
  std::string good = zlib_entry("good entry");
  std::string damaged = zlib_entry("damaged entry");
  damaged.back() ^= 0x40;
  struct Case {
    const char* what;
    std::string archive;
    int written_before;
    std::string err;
  };
  const Case cases[] = {
      {"count 0", make_archive({}, 0), 0, ""},
      {"count larger than stored", make_archive({good, good, good}, 5), 3,
       stopped_at("    4")},
      {"count 2^32 - 1", make_archive({good, good}, 4294967295u), 2,
       stopped_at("    3")},
      {"damaged third entry", make_archive({good, good, damaged}, 3), 2,
       "展開エラー（inflate関数）: incorrect data check\n" +
           stopped_at("    3")},
      {"cut inside the second entry",
       make_archive({good, good.substr(0, 5)}, 2), 1, stopped_at("    2")},
      {"garbage for an entry", make_archive({good, "not zlib data"}, 2), 1,
       "展開エラー（inflate関数）: incorrect header check\n" +
           stopped_at("    2")},
  };
  for (const Case& c : cases) {
    TempDir dir;
    write_file(dir.file("x.pac"), c.archive);
    RunResult result = run_qymorvint({"x.pac"}, "", dir.path());
    EXPECT_EQ(result.err, console_text(c.err)) << c.what;
    EXPECT_EQ(result.status, c.err.empty() ? 0 : 1) << c.what;
    std::vector<std::string> files = list_dir(dir.file("#x.pac#"));
    EXPECT_EQ(files.size(), static_cast<size_t>(c.written_before)) << c.what;
    std::string out;
    for (const std::string& file : files) {
      EXPECT_EQ(read_file(dir.file("#x.pac#" + SEP + file)), "good entry")
          << c.what;
      out += written("#x.pac#" + SEP + file);
    }
    EXPECT_EQ(result.out, console_text(out)) << c.what;
  }
}

TEST(Cli, RejectsWhatIsNoArchive) {
  std::string entries = zlib_entry("entry");
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  };
  const Case cases[] = {
      {"PACK", "PACK" + le32(1) + le32(3) + entries,
       "は対応していないファイルです。強制終了します\n"},
      {"executable", "MZ\x90" + std::string(200, '\0'),
       "は対応していないファイルです。強制終了します\n"},
      {"empty file", "", "は対応していないファイルです。強制終了します\n"},
      {"cut header", std::string("PAC\0\1\0\0\0\3", 9),
       "は対応していないファイルです。強制終了します\n"},
      {"version 2", make_archive({entries}, 1, 2),
       "はヴァージョンが違い対応していないファイルです。強制終了します\n"},
      {"version 4", make_archive({entries}, 1, 4),
       "はヴァージョンが違い対応していないファイルです。強制終了します\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    write_file(dir.file("in.pac"), c.bytes);
    RunResult result = run_qymorvint({"in.pac"}, "", dir.path());
    EXPECT_EQ(result.out, console_text(std::string("in.pac") + c.message))
        << c.what;
    EXPECT_EQ(result.err, "") << c.what;
    EXPECT_EQ(result.status, 1) << c.what;
    EXPECT_EQ(list_dir(dir.path()), (std::vector<std::string>{"in.pac"}))
        << c.what;
  }
}

TEST(Cli, ReportsAnArchiveThatCannotBeOpenedOrRead) {
  TempDir dir;
  RunResult missing = run_qymorvint({"missing.pac"}, "\n", dir.path());
  EXPECT_EQ(missing.out,
            console_text("missing.pacのオープンに失敗しました。終了します\n"));
  EXPECT_EQ(missing.status, 1);

  // A directory opens on Linux but cannot be read; on Windows it does not open.
  std::filesystem::create_directory(dir.file("folder.pac"));
  RunResult folder = run_qymorvint({"folder.pac"}, "", dir.path());
  EXPECT_TRUE(
      folder.out ==
          console_text(
              "folder.pacは対応していないファイルです。強制終了します\n") ||
      folder.out ==
          console_text("folder.pacのオープンに失敗しました。終了します\n"))
      << folder.out;
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(list_dir(dir.path()), (std::vector<std::string>{"folder.pac"}));
}

TEST(Cli, ReportsAnEntryFileThatCannotBeWritten) {
  TempDir dir;
  write_file(dir.file("x.pac"), make_archive_of({"one", "two"}));
  write_file(dir.file("#x.pac#"), "a file where the directory should be");
  RunResult result = run_qymorvint({"x.pac"}, "", dir.path());
  EXPECT_EQ(result.err,
            console_text("#x.pac#" + SEP +
                         "x1.datの展開に失敗しました。終了します。\n"));
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.status, 1);
}

TEST(Cli, AsksForTheArchiveWithoutAnArgument) {
  const std::string prompt = "アーカイブを指定して下さい。：";
  struct Case {
    std::string input;
    std::string out_after_prompt;
    int status;
  };
  const Case cases[] = {
      {"\n\n  my data.pac \r\n",
       written("#my data.pac#" + SEP + "my data1.dat"), 0},
      {"\"my data.pac\"\n", written("#my data.pac#" + SEP + "my data1.dat"), 0},
      {"other.pac\n", "other.pacのオープンに失敗しました。終了します\n", 1},
      {"", "アーカイブが指定されませんでした。終了します\n", 1},
      {" \n\r\n", "アーカイブが指定されませんでした。終了します\n", 1},
  };
  for (const Case& c : cases) {
    TempDir dir;
    write_file(dir.file("my data.pac"), make_archive_of({"entry"}));
    RunResult result = run_qymorvint({}, c.input, dir.path());
    EXPECT_EQ(result.out, console_text(prompt + c.out_after_prompt)) << c.input;
    EXPECT_EQ(result.status, c.status) << c.input;
  }
}

}  // namespace
