#include "extract/extractor.h"

#include <cstdlib>
#include <memory>

#include "archive/entry_inflater.h"
#include "archive/pac_header.h"
#include "extract/content_type.h"
#include "messages.h"
#include "owners.h"
#include "platform/platform.h"

namespace {

using OutputBuffer = std::unique_ptr<unsigned char, FreeDeleter>;

// Grows the buffer by one step, keeping what it holds. Refuses a size past
// the machine's memory, where the system would kill the process rather
// than fail the allocation.
bool grow_output_buffer(OutputBuffer* buffer, size_t* capacity) {
  if (*capacity > SIZE_MAX - OUTPUT_BUFFER_STEP) return false;
  size_t grown = *capacity + OUTPUT_BUFFER_STEP;
  uint64_t memory = physical_memory_size();
  if (memory != 0 && grown > memory) return false;
  void* block = std::realloc(buffer->get(), grown);
  if (!block) return false;
  buffer->release();
  buffer->reset(static_cast<unsigned char*>(block));
  *capacity = grown;
  return true;
}

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string trim_answer(const std::string& line) {
  size_t begin = 0;
  size_t end = line.size();
  while (begin < end && is_blank(line[begin])) ++begin;
  while (end > begin && is_blank(line[end - 1])) --end;
  if (end - begin >= 2 && line[begin] == '"' && line[end - 1] == '"') {
    ++begin;
    --end;
  }
  return line.substr(begin, end - begin);
}

// Reads one line of any length, without its line feed. False at the end of
// input with nothing read.
bool read_line(FILE* input, std::string* line) {
  line->clear();
  char chunk[256];
  while (std::fgets(chunk, sizeof(chunk), input)) {
    line->append(chunk);
    if (!line->empty() && line->back() == '\n') return true;
  }
  return !line->empty();
}

}  // namespace

OutputNames compose_output_prefix(const std::string& archive_path) {
  size_t base = base_name_offset(archive_path);
  std::string name = archive_path.substr(base);
  OutputNames names;
  names.directory = archive_path.substr(0, base) + "#" + name + "#";
  std::string stem = name.size() >= 4 ? name.substr(0, name.size() - 4) : "";
  names.prefix = names.directory + PATH_SEPARATOR + stem;
  return names;
}

NameFormat make_name_format(const std::string& prefix, uint32_t entry_count) {
  int width = 0;
  for (uint32_t rest = entry_count; rest != 0; rest /= 10) ++width;
  return NameFormat{prefix, width};
}

std::string format_entry_name(const NameFormat& format, uint32_t index) {
  std::string number = std::to_string(index);
  if (number.size() < static_cast<size_t>(format.width)) {
    number.insert(0, format.width - number.size(), '0');
  }
  return format.prefix + number + ".dat";
}

bool read_answer(FILE* input, std::string* answer) {
  std::string line;
  while (read_line(input, &line)) {
    *answer = trim_answer(line);
    if (!answer->empty()) return true;
  }
  return false;
}

bool write_entry_file(const std::string& name, const unsigned char* data,
                      size_t size) {
  std::string temporary = name + ".part";
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) return false;
  bool whole = std::fwrite(data, 1, size, file) == size;
  whole = std::fclose(file) == 0 && whole;
  if (whole && replace_file(temporary, name)) return true;
  std::remove(temporary.c_str());
  return false;
}

int extract_archive(const std::string& path, PathSource source) {
  File archive(std::fopen(path.c_str(), "rb"));
  if (!archive) {
    print_message(MSG_OPEN_FAILED, path.c_str());
    // From the command line the message would vanish with the console
    // window, so wait for a key; the prompt's user is watching already.
    if (source == PATH_FROM_ARGUMENT) std::getchar();
    return 1;
  }
  PacHeader header;
  if (!check_pac_header(archive.get(), path, &header)) return 1;

  OutputNames names = compose_output_prefix(path);
  make_directory(names.directory);
  NameFormat format = make_name_format(names.prefix, header.entry_count);

  EntryInflater inflater;
  size_t capacity = OUTPUT_BUFFER_STEP;
  OutputBuffer buffer(static_cast<unsigned char*>(std::malloc(capacity)));
  if (header.entry_count > 0 &&
      (!buffer || !start_entry_inflater(&inflater, archive.get()))) {
    print_message(MSG_NO_MEMORY, 1u);
    return 1;
  }
  // 64-bit, so that an entry count of 2^32 - 1 cannot wrap the loop.
  for (uint64_t i = 1; i <= header.entry_count; ++i) {
    unsigned index = static_cast<unsigned>(i);
    int64_t left;
    while ((left = inflate_entry(&inflater, buffer.get(), capacity)) ==
           ENTRY_BUFFER_FULL) {
      print_message(MSG_BUFFER_GROWN);
      if (!grow_output_buffer(&buffer, &capacity)) {
        print_message(MSG_NO_MEMORY, index);
        return 1;
      }
    }
    if (left < 0) {
      print_message(MSG_ENTRY_STOPPED, index);
      return 1;
    }
    size_t size = capacity - static_cast<size_t>(left);
    std::string name = format_entry_name(format, index);
    detect_extension(buffer.get(), size, &name);
    if (!write_entry_file(name, buffer.get(), size)) {
      print_message(MSG_WRITE_FAILED, name.c_str());
      return 1;
    }
    print_message(MSG_ENTRY_WRITTEN, name.c_str());
  }
  return 0;
}
