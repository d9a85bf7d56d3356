// The floor the extractor is measured against: the whole archive read into
// memory, each entry inflated with zlib into one reused buffer and written
// to its own file. No checks, no messages: nothing can do less.
//   qyMorvint_floor ARCHIVE OUTPUT_DIR
#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  FILE* in = std::fopen(argv[1], "rb");
  if (!in) return 1;
  fseeko(in, 0, SEEK_END);
  size_t size = ftello(in);
  fseeko(in, 0, SEEK_SET);
  auto* archive = static_cast<unsigned char*>(std::malloc(size));
  if (std::fread(archive, 1, size, in) != size || size < 12) return 1;
  std::fclose(in);
  uint32_t count = archive[4] | archive[5] << 8 | archive[6] << 16 | uint32_t{archive[7]} << 24;

  // Grown by doubling with realloc: no zero fill, no copy of mapped pages.
  size_t capacity = 1 << 20;
  auto* out = static_cast<unsigned char*>(std::malloc(capacity));
  z_stream stream{};
  inflateInit(&stream);
  stream.next_in = archive + 12;
  stream.avail_in = size - 12;
  for (uint32_t i = 1; i <= count; ++i) {
    size_t produced = 0;
    int status;
    do {
      if (produced == capacity) {
        capacity *= 2;
        out = static_cast<unsigned char*>(std::realloc(out, capacity));
      }
      stream.next_out = out + produced;
      stream.avail_out = capacity - produced;
      status = inflate(&stream, Z_NO_FLUSH);
      produced = capacity - stream.avail_out;
    } while (status == Z_OK);
    if (status != Z_STREAM_END) return 1;
    inflateReset(&stream);
    std::string name = std::string(argv[2]) + "/" + std::to_string(i) + ".dat";
    FILE* file = std::fopen(name.c_str(), "wb");
    if (!file) return 1;
    std::fwrite(out, 1, produced, file);
    std::fclose(file);
  }
  inflateEnd(&stream);
  return 0;
}
