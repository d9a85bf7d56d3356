#include "pack/packer.h"

#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "archive/pac_header.h"
#include "messages.h"
#include "owners.h"
#include "platform/platform.h"

namespace {

constexpr size_t CHUNK_SIZE = 1 << 20;

struct DeflateStreamDeleter {
  void operator()(z_stream* stream) const {
    deflateEnd(stream);
    delete stream;
  }
};

// The entry number of name, or 0 when it is no entry file of the stem.
unsigned long entry_number(const std::string& name, const std::string& stem) {
  static const char* const EXTENSIONS[] = {".bmp", ".png", ".ogg", ".wav",
                                           ".dat"};
  if (name.size() < stem.size() + 5 || name.compare(0, stem.size(), stem) != 0)
    return 0;
  std::string extension = name.substr(name.size() - 4);
  if (std::none_of(std::begin(EXTENSIONS), std::end(EXTENSIONS),
                   [&](const char* known) { return extension == known; })) {
    return 0;
  }
  std::string digits = name.substr(stem.size(), name.size() - 4 - stem.size());
  if (digits.size() > 10 ||
      digits.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  return std::strtoul(digits.c_str(), nullptr, 10);
}

// Compresses the input file onto out as one zlib stream. False with the
// message printed on a failure.
bool append_entry(const std::string& input, FILE* out,
                  const std::string& output, z_stream* stream,
                  unsigned char* in_chunk, unsigned char* out_chunk) {
  File file(std::fopen(input.c_str(), "rb"));
  if (!file) {
    print_message(MSG_PACK_READ_FAILED, input.c_str());
    return false;
  }
  deflateReset(stream);
  int flush;
  do {
    size_t got = std::fread(in_chunk, 1, CHUNK_SIZE, file.get());
    if (std::ferror(file.get())) {
      print_message(MSG_PACK_READ_FAILED, input.c_str());
      return false;
    }
    flush = std::feof(file.get()) ? Z_FINISH : Z_NO_FLUSH;
    stream->next_in = in_chunk;
    stream->avail_in = static_cast<uInt>(got);
    do {
      stream->next_out = out_chunk;
      stream->avail_out = CHUNK_SIZE;
      deflate(stream, flush);
      size_t have = CHUNK_SIZE - stream->avail_out;
      if (std::fwrite(out_chunk, 1, have, out) != have) {
        print_message(MSG_PACK_WRITE_FAILED, output.c_str());
        return false;
      }
    } while (stream->avail_out == 0);
  } while (flush != Z_FINISH);
  return true;
}

bool write_archive(const std::string& temporary, const std::string& output,
                   const std::vector<std::string>& inputs) {
  File out(std::fopen(temporary.c_str(), "wb"));
  if (!out) {
    print_message(MSG_PACK_WRITE_FAILED, output.c_str());
    return false;
  }
  unsigned char header[PAC_HEADER_SIZE] = {'P', 'A', 'C', 0};
  uint32_t count = static_cast<uint32_t>(inputs.size());
  for (int i = 0; i < 4; ++i) {
    header[4 + i] = static_cast<unsigned char>(count >> (8 * i));
    header[8 + i] = static_cast<unsigned char>(PAC_VERSION >> (8 * i));
  }
  if (std::fwrite(header, 1, sizeof(header), out.get()) != sizeof(header)) {
    print_message(MSG_PACK_WRITE_FAILED, output.c_str());
    return false;
  }
  std::unique_ptr<unsigned char[]> in_chunk(new unsigned char[CHUNK_SIZE]);
  std::unique_ptr<unsigned char[]> out_chunk(new unsigned char[CHUNK_SIZE]);
  std::unique_ptr<z_stream, DeflateStreamDeleter> stream(new z_stream{});
  if (deflateInit(stream.get(), Z_DEFAULT_COMPRESSION) != Z_OK) {
    print_message(MSG_NO_MEMORY, 1u);
    return false;
  }
  for (const std::string& input : inputs) {
    if (!append_entry(input, out.get(), output, stream.get(), in_chunk.get(),
                      out_chunk.get())) {
      return false;
    }
    print_message(MSG_ENTRY_WRITTEN, input.c_str());
  }
  if (std::fclose(out.release()) != 0) {
    print_message(MSG_PACK_WRITE_FAILED, output.c_str());
    return false;
  }
  if (!replace_file(temporary, output)) {
    print_message(MSG_PACK_WRITE_FAILED, output.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool collect_entry_files(const std::string& directory,
                         std::vector<std::string>* files) {
  std::vector<std::string> names;
  if (!list_directory(directory, &names)) {
    print_message(MSG_PACK_READ_FAILED, directory.c_str());
    return false;
  }
  std::string dir = directory;
  while (dir.size() > 1 && base_name_offset(dir) == dir.size()) dir.pop_back();
  std::string base = dir.substr(base_name_offset(dir));
  std::string stem;
  if (base.size() >= 2 && base.front() == '#' && base.back() == '#') {
    std::string archive_name = base.substr(1, base.size() - 2);
    if (archive_name.size() >= 4)
      stem = archive_name.substr(0, archive_name.size() - 4);
  }
  std::map<unsigned long, std::string> by_number;
  for (const std::string& name : names) {
    unsigned long number = entry_number(name, stem);
    if (number == 0) continue;
    if (!by_number.emplace(number, name).second) {
      print_message(MSG_PACK_DUPLICATE_ENTRY, directory.c_str(),
                    static_cast<unsigned>(number));
      return false;
    }
  }
  if (by_number.empty()) {
    print_message(MSG_PACK_NO_ENTRIES, directory.c_str());
    return false;
  }
  unsigned long expected = 1;
  for (const auto& [number, name] : by_number) {
    if (number != expected) {
      print_message(MSG_PACK_MISSING_ENTRY, directory.c_str(),
                    static_cast<unsigned>(expected));
      return false;
    }
    files->push_back(dir + PATH_SEPARATOR + name);
    ++expected;
  }
  return true;
}

int pack_archive(const std::string& output,
                 const std::vector<std::string>& inputs) {
  for (const std::string& input : inputs) {
    if (same_file(output, input)) {
      print_message(MSG_PACK_INPUT_IS_OUTPUT, output.c_str());
      return 1;
    }
  }
  std::string temporary = output + ".part";
  if (!write_archive(temporary, output, inputs)) {
    std::remove(temporary.c_str());
    return 1;
  }
  print_message(MSG_PACK_CREATED, output.c_str(),
                static_cast<unsigned>(inputs.size()));
  return 0;
}
