#include "archive/entry_inflater.h"

#include <cerrno>
#include <cstring>

#include "messages.h"

namespace {

// zlib counts output in 32-bit uInt; a larger buffer is offered in slices.
constexpr size_t MAX_OUTPUT_SLICE = size_t{1} << 30;

const char* reason(const z_stream* stream) {
  return stream->msg ? stream->msg : "???";
}

bool init_stream(EntryInflater* inflater) {
  auto* stream = static_cast<z_stream*>(std::calloc(1, sizeof(z_stream)));
  if (!stream) {
    print_message(MSG_INIT_FAILED, "???");
    return false;
  }
  if (inflateInit(stream) != Z_OK) {
    print_message(MSG_INIT_FAILED, reason(stream));
    std::free(stream);
    return false;
  }
  inflater->stream.reset(stream);
  return true;
}

}  // namespace

void InflateStreamDeleter::operator()(z_stream* stream) const {
  inflateEnd(stream);
  std::free(stream);
}

bool start_entry_inflater(EntryInflater* inflater, FILE* archive) {
  inflater->archive = archive;
  inflater->input.reset(
      static_cast<unsigned char*>(std::malloc(INPUT_CHUNK_SIZE)));
  inflater->stream.reset();
  inflater->produced = 0;
  return inflater->input != nullptr;
}

int64_t inflate_entry(EntryInflater* inflater, unsigned char* out,
                      size_t capacity) {
  if (!inflater->stream && !init_stream(inflater)) return ENTRY_FAILED;
  z_stream* stream = inflater->stream.get();
  for (;;) {
    if (stream->avail_in == 0) {
      size_t got = std::fread(inflater->input.get(), 1, INPUT_CHUNK_SIZE,
                              inflater->archive);
      if (got == 0) {
        if (std::ferror(inflater->archive)) {
          print_message(MSG_READ_FAILED, std::strerror(errno));
          return ENTRY_FAILED;
        }
        return ENTRY_INPUT_ENDED;
      }
      stream->next_in = inflater->input.get();
      stream->avail_in = static_cast<uInt>(got);
    }
    size_t room = capacity - inflater->produced;
    size_t slice = room < MAX_OUTPUT_SLICE ? room : MAX_OUTPUT_SLICE;
    stream->next_out = out + inflater->produced;
    stream->avail_out = static_cast<uInt>(slice);
    int status = inflate(stream, Z_NO_FLUSH);
    inflater->produced += slice - stream->avail_out;

    if (status == Z_STREAM_END) {
      size_t left = capacity - inflater->produced;
      inflater->produced = 0;
      if (inflateReset(stream) != Z_OK) {
        print_message(MSG_END_FAILED, reason(stream));
        return ENTRY_FAILED;
      }
      return static_cast<int64_t>(left);
    }
    bool stuck = status == Z_BUF_ERROR && stream->avail_in > 0 &&
                 inflater->produced < capacity;
    if ((status != Z_OK && status != Z_BUF_ERROR) || stuck) {
      print_message(MSG_INFLATE_FAILED, reason(stream));
      return ENTRY_FAILED;
    }
    // zlib stops with input left only when it needs room for more output.
    // With the buffer exactly full and the chunk used up, only the next
    // chunk tells whether the stream ends there, so read on.
    if (inflater->produced == capacity && stream->avail_in > 0) {
      print_message(MSG_BUFFER_FULL);
      return ENTRY_BUFFER_FULL;
    }
  }
}
