// qyMorvint-pack OUTPUT.pac FILE...: packs files, or the entry files of one
// directory the extractor made, into a PAC version 3 archive.
#include <string>
#include <vector>

#include "messages.h"
#include "pack/packer.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  prepare_process();
  std::string first = argc > 1 ? argv[1] : "";
  if (argc == 2 && first == "--help") {
    print_message(MSG_PACK_HELP);
    return 0;
  }
  if (argc == 2 && first == "--version") {
    print_message(MSG_VERSION, "qyMorvint-pack", QYMORVINT_VERSION);
    return 0;
  }
  if (argc < 3) {
    print_message(MSG_PACK_USAGE);
    return 1;
  }
  std::vector<std::string> inputs(argv + 2, argv + argc);
  if (inputs.size() == 1 && is_directory(inputs[0])) {
    std::string directory = inputs[0];
    inputs.clear();
    if (!collect_entry_files(directory, &inputs)) return 1;
  }
  return pack_archive(argv[1], inputs);
}
