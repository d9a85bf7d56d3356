// libFuzzer target: the header check and the entry reader over any bytes,
// with the output buffer grown as the program grows it (up to 64 MiB). Run
// it with -close_fd_mask=3: the program's messages would drown the report.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "archive/entry_inflater.h"
#include "archive/pac_header.h"

namespace {

constexpr size_t MAX_CAPACITY = 64 << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PacHeader header;
  decode_pac_header(data, size, &header);
  if (size == 0) return 0;
  FILE* archive = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!archive) return 0;
  if (check_pac_header(archive, "fuzz.pac", &header)) {
    EntryInflater inflater;
    static std::vector<unsigned char>
        buffer;  // kept: zeroing it costs more than a run
    buffer.resize(1 << 20);
    if (start_entry_inflater(&inflater, archive)) {
      for (uint64_t i = 0; i < header.entry_count; ++i) {
        int64_t left;
        while ((left = inflate_entry(&inflater, buffer.data(),
                                     buffer.size())) == ENTRY_BUFFER_FULL &&
               buffer.size() < MAX_CAPACITY) {
          buffer.resize(buffer.size() + (1 << 20));
        }
        if (left < 0) break;
      }
    }
  }
  std::fclose(archive);
  return 0;
}
