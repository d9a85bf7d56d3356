// Packing files into an archive and back, and the two programs' options.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/platform.h"
#include "test_support.h"

namespace {

const std::string SEP(1, PATH_SEPARATOR);

const std::vector<std::string> CONTENTS = {
    "BM" + random_bytes(3000, 11),
    "plain text",
    "",
    "OggS" + std::string(1'500'000, 'o'),
    "RIFF....WAVE",
    "\x89PNG\r\n" + random_bytes(10, 12),
    "7",
    "8",
    "9",
    "ten",  // ten entries, so the numbers have two digits
};

std::vector<std::string> entry_files(const TempDir& dir,
                                     const std::string& out_dir) {
  std::vector<std::string> contents;
  for (const std::string& name : list_dir(dir.file(out_dir))) {
    contents.push_back(read_file(dir.file(out_dir + SEP + name)));
  }
  return contents;
}

TEST(Pack, ExtractPackExtractGivesTheSameEntries) {
  TempDir dir;
  write_file(dir.file("data.pac"), make_archive_of(CONTENTS));
  ASSERT_EQ(run_qymorvint({"data.pac"}, "", dir.path()).status, 0);
  // Files added by the user beside the entries are not entries.
  write_file(dir.file("#data.pac#" + SEP + "notes.txt"),
             "my translation notes");
  write_file(dir.file("#data.pac#" + SEP + "data1.dat.part"),
             "left by a killed run");

  RunResult packed = run_qymorvint_pack({"new.pac", "#data.pac#"}, dir.path());
  EXPECT_EQ(packed.status, 0) << packed.err;
  EXPECT_EQ(packed.err, "");
  EXPECT_EQ(packed.out.substr(
                packed.out.size() -
                console_text("new.pacを作成しました。（10ファイル）\n").size()),
            console_text("new.pacを作成しました。（10ファイル）\n"));
  ASSERT_EQ(run_qymorvint({"new.pac"}, "", dir.path()).status, 0);
  EXPECT_EQ(entry_files(dir, "#new.pac#"), CONTENTS);
  // The extractor's own archive held compress's output; so does the packer's.
  EXPECT_EQ(read_file(dir.file("new.pac")), read_file(dir.file("data.pac")));
}

TEST(Pack, FilesInTheOrderGivenAndTheSameBytesEveryRun) {
  TempDir dir;
  write_file(dir.file("b.txt"), "second name, first entry");
  write_file(dir.file("a.bmp"), "BM first name, second entry");
  for (const char* output : {"one.pac", "two.pac"}) {
    RunResult result =
        run_qymorvint_pack({output, "b.txt", "a.bmp"}, dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
  }
  EXPECT_EQ(read_file(dir.file("one.pac")), read_file(dir.file("two.pac")));
  EXPECT_EQ(read_file(dir.file("one.pac")),
            make_archive_of(
                {"second name, first entry", "BM first name, second entry"}));
}

TEST(Pack, FailuresLeaveNoArchive) {
  struct Case {
    const char* what;
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {"missing input",
       {"out.pac", "a.dat", "missing.dat"},
       "missing.datの読み込みに失敗しました。終了します。\n"},
      {"output is an input",
       {"a.dat", "a.dat"},
       "a.datは入力ファイルなので上書きできません。終了します。\n"},
      {"gap in the numbers",
       {"out.pac", "#gap.pac#"},
       "#gap.pac#に2番目のファイルがありません。終了します。\n"},
      {"number twice",
       {"out.pac", "#twice.pac#"},
       "#twice.pac#に1番目のファイルが複数あります。終了します。\n"},
      {"no entry files",
       {"out.pac", "#none.pac#"},
       "#none.pac#に展開されたファイルがありません。終了します。\n"},
      {"no files at all",
       {"out.pac"},
       "使い方: qyMorvint-pack 出力.pac ファイル...（--helpで説明を表示）\n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    write_file(dir.file("a.dat"), "entry a");
    for (const char* sub : {"#gap.pac#", "#twice.pac#", "#none.pac#"}) {
      std::filesystem::create_directory(dir.file(sub));
    }
    write_file(dir.file("#gap.pac#" + SEP + "gap1.dat"), "1");
    write_file(dir.file("#gap.pac#" + SEP + "gap3.dat"), "3");
    write_file(dir.file("#twice.pac#" + SEP + "twice1.dat"), "1");
    write_file(dir.file("#twice.pac#" + SEP + "twice1.bmp"), "BM");
    write_file(dir.file("#none.pac#" + SEP + "readme.txt"), "no entries");
    RunResult result = run_qymorvint_pack(c.args, dir.path());
    EXPECT_EQ(result.err, console_text(c.err)) << c.what;
    EXPECT_EQ(result.status, 1) << c.what;
    EXPECT_FALSE(file_exists(dir.file("out.pac"))) << c.what;
    EXPECT_FALSE(file_exists(dir.file("out.pac.part"))) << c.what;
    EXPECT_EQ(read_file(dir.file("a.dat")), "entry a") << c.what;
  }
}

TEST(Options, HelpAndVersionOnBothPrograms) {
  TempDir dir;
  for (int program = 0; program < 2; ++program) {
    auto run = [&](const std::string& arg) {
      return program == 0 ? run_qymorvint({arg}, "", dir.path())
                          : run_qymorvint_pack({arg}, dir.path());
    };
    RunResult help = run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.find(console_text("使い方: qyMorvint")), 0u) << help.out;
    EXPECT_EQ(help.err, "");
    RunResult version = run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out,
              console_text(
                  std::string(program == 0 ? "qyMorvint " : "qyMorvint-pack ") +
                  QYMORVINT_VERSION + "\n"));
  }
  // A file named --help is still an archive when given as a path.
  write_file(dir.file("--help"), make_archive_of({"entry"}));
  RunResult path = run_qymorvint({"." + SEP + "--help"}, "", dir.path());
  EXPECT_EQ(path.status, 0) << path.out;
  EXPECT_EQ(read_file(dir.file("#--help#" + SEP + "--1.dat")), "entry");
}

}  // namespace
