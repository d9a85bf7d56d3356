// qyMorvint ARCHIVE: extracts every entry of a PAC version 3 archive. With
// no argument the archive is asked for at a prompt; --help and --version
// tell what it is.
#include <cstdio>
#include <string>

#include "extract/extractor.h"
#include "messages.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  prepare_process();
  // Only these two exact words are options; "./--help" is a path.
  std::string first = argc > 1 ? argv[1] : "";
  if (first == "--help") {
    print_message(MSG_EXTRACT_HELP);
    return 0;
  }
  if (first == "--version") {
    print_message(MSG_VERSION, "qyMorvint", QYMORVINT_VERSION);
    return 0;
  }
  if (argc > 1) return extract_archive(argv[1], PATH_FROM_ARGUMENT);

  print_message(MSG_PROMPT);
  std::fflush(stdout);
  std::string path;
  if (!read_answer(stdin, &path)) {
    print_message(MSG_NO_ANSWER);
    return 1;
  }
  return extract_archive(path, PATH_FROM_PROMPT);
}
