#include "extract/extractor.h"

#include <gtest/gtest.h>

#include "extract/content_type.h"
#include "platform/platform.h"
#include "test_support.h"

namespace {

TEST(ComposeOutputPrefix, PutsEntriesInsideTheDirectory) {
  struct Case {
    std::string path, directory, stem;
  };
  const Case cases[] = {
      {"work/data.pac", "work/#data.pac#", "data"},
      {"data.pac", "#data.pac#", "data"},
      {"/a/b/se.pac", "/a/b/#se.pac#", "se"},
      {"d/abcd", "d/#abcd#", ""},
      {"d/abc", "d/#abc#", ""},
      {"a", "#a#", ""},
      {"dir.v2/noext", "dir.v2/#noext#", "n"},
  };
  for (const Case& c : cases) {
    OutputNames names = compose_output_prefix(c.path);
    EXPECT_EQ(names.directory, c.directory) << c.path;
    EXPECT_EQ(names.prefix, c.directory + PATH_SEPARATOR + c.stem) << c.path;
  }
}

TEST(EntryNames, PadToTheDigitsOfTheCount) {
  struct Case {
    uint32_t count, index;
    const char* name;
  };
  const Case cases[] = {
      {1, 1, "p1.dat"},
      {9, 9, "p9.dat"},
      {10, 1, "p01.dat"},
      {99, 12, "p12.dat"},
      {100, 7, "p007.dat"},
      {150, 150, "p150.dat"},
      {4294967295u, 3, "p0000000003.dat"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(format_entry_name(make_name_format("p", c.count), c.index),
              c.name)
        << c.count << " " << c.index;
  }
}

TEST(DetectExtension, ReadsOnlyTheEntrysOwnBytes) {
  struct Case {
    std::string data;
    const char* name;
  };
  const Case cases[] = {
      {"BM", "x07.bmp"},
      {"BMP whatever follows", "x07.bmp"},
      {"\x89PNG\r\n\x1a\n", "x07.png"},
      {"OggS\0\2", "x07.ogg"},
      {"RIFF\0\0\0\0WAVE", "x07.wav"},
      {"RIFF\0\0\0\0AVI ", "x07.wav"},
      {"\xff\xd8\xff\xe0", "x07.dat"},
      {"B", "x07.dat"},
      {"\x89PN", "x07.dat"},
      {"Ogg", "x07.dat"},
      {"", "x07.dat"},
  };
  for (const Case& c : cases) {
    // The entry sits at the start of a larger buffer whose later bytes
    // would complete the signature.
    std::string buffer = c.data + "MPNGggSIFF";
    std::string name = "x07.dat";
    detect_extension(reinterpret_cast<const unsigned char*>(buffer.data()),
                     c.data.size(), &name);
    EXPECT_EQ(name, c.name) << c.data;
  }
}

TEST(ReadAnswer, TakesTheFirstLineThatIsNotBlank) {
  struct Case {
    std::string input;
    bool answered;
    std::string answer;
  };
  const Case cases[] = {
      {"data.pac\n", true, "data.pac"},
      {"data.pac", true, "data.pac"},
      {"\n\n  \t\r\n  my data.pac \r\n", true, "my data.pac"},
      {"\"C:/game files/data.pac\"\r\nnext\n", true, "C:/game files/data.pac"},
      {"\"half quoted.pac\n", true, "\"half quoted.pac"},
      {std::string(1000, 'p') + ".pac\n", true,
       std::string(1000, 'p') + ".pac"},
      {"", false, ""},
      {"\n \r\n\t", false, ""},
  };
  for (const Case& c : cases) {
    FILE* input = std::tmpfile();
    std::fwrite(c.input.data(), 1, c.input.size(), input);
    std::rewind(input);
    std::string answer;
    EXPECT_EQ(read_answer(input, &answer), c.answered) << c.input;
    if (c.answered) {
      EXPECT_EQ(answer, c.answer) << c.input;
    }
    std::fclose(input);
  }
}

TEST(WriteEntryFile, LeavesTheWholeFileOrNothing) {
  TempDir dir;
  std::string name = dir.file("data1.dat");
  write_file(name, "an older, longer file of the same name");
  const unsigned char data[] = {'n', 'e', 'w', 0, 1};
  ASSERT_TRUE(write_entry_file(name, data, sizeof(data)));
  EXPECT_EQ(read_file(name), std::string("new\0\1", 5));
  EXPECT_EQ(list_dir(dir.path()), (std::vector<std::string>{"data1.dat"}));

  EXPECT_FALSE(write_entry_file(dir.file("missing") + PATH_SEPARATOR + "x.dat",
                                data, 1));
  EXPECT_EQ(list_dir(dir.path()), (std::vector<std::string>{"data1.dat"}));
}

}  // namespace
