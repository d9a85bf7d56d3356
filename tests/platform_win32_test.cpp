// What a Windows user gets: code page 932 bytes, CR LF, backslashes, and
// double-byte characters whose trail byte is 0x5C.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/platform.h"
#include "test_support.h"

namespace {

// ソフト in code page 932: the trail byte of ソ is 0x5C, a backslash.
const std::string SOFUTO = "\x83\x5C\x83\x74\x83\x67";

TEST(Win32Paths, ScansCodePage932Characters) {
  EXPECT_EQ(base_name_offset("C:\\work\\data.pac"), 8u);
  EXPECT_EQ(base_name_offset("C:/work/data.pac"), 8u);
  EXPECT_EQ(base_name_offset("sub\\" + SOFUTO + ".pac"), 4u);
  EXPECT_EQ(base_name_offset(SOFUTO + ".pac"), 0u);
  EXPECT_EQ(base_name_offset(SOFUTO + "\\x.pac"), 7u);
}

TEST(Win32Console, WritesCodePage932WithCrLf) {
  TempDir dir;
  write_file(dir.file("x.pac"), "PACK");
  RunResult result = run_qymorvint({"x.pac"}, "", dir.path());
  // "x.pacは対応していないファイルです。強制終了します" and CR LF.
  EXPECT_EQ(result.out,
            "x.pac\x82\xCD\x91\xCE\x89\x9E\x82\xB5\x82\xC4\x82\xA2\x82\xC8\x82"
            "\xA2\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x82\xB7\x81\x42\x8B"
            "\xAD\x90\xA7\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\r\n");
  EXPECT_EQ(result.status, 1);
}

TEST(Win32Console, KeepsDoubleByteNamesWhole) {
  TempDir dir;
  CreateDirectoryA(dir.file("sub").c_str(), NULL);
  write_file(dir.file("sub\\" + SOFUTO + ".pac"),
             make_archive_of({"one", "two", "three"}));
  RunResult result = run_qymorvint({"sub\\" + SOFUTO + ".pac"}, "", dir.path());
  std::string prefix = "sub\\#" + SOFUTO + ".pac#\\" + SOFUTO;
  // "を処理終了" and CR LF after each name.
  const std::string done = "\x82\xF0\x8F\x88\x97\x9D\x8F\x49\x97\xB9\r\n";
  EXPECT_EQ(result.out, prefix + "1.dat" + done + prefix + "2.dat" + done +
                            prefix + "3.dat" + done);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(read_file(dir.file(prefix + "3.dat")), "three");
}

}  // namespace
