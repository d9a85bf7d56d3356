// Decompresses the archive's entries one after another. The archive is read
// once, in 1 MiB chunks, through one input buffer and one zlib stream for
// the whole run: the input left over after an entry's end is the start of
// the next entry, so no byte is read or decompressed twice.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "owners.h"

constexpr size_t INPUT_CHUNK_SIZE = 1 << 20;

// Results of inflate_entry; 0 or more is success.
constexpr int64_t ENTRY_FAILED = -1;
constexpr int64_t ENTRY_BUFFER_FULL = -2;
constexpr int64_t ENTRY_INPUT_ENDED = -4;

struct InflateStreamDeleter {
  void operator()(z_stream* stream) const;
};

struct EntryInflater {
  FILE* archive = nullptr;
  std::unique_ptr<unsigned char, FreeDeleter> input;
  std::unique_ptr<z_stream, InflateStreamDeleter> stream;  // set once inited
  // Bytes of the current entry already in the caller's buffer.
  size_t produced = 0;
};

// Prepares inflater to read archive from its current position, which is the
// first byte of an entry. False when the input buffer cannot be had.
bool start_entry_inflater(EntryInflater* inflater, FILE* archive);

// Decompresses the entry at the archive's position into out, which holds
// capacity bytes. On success returns the capacity left over (the entry is
// its first capacity - result bytes) and stands on the next entry.
// ENTRY_BUFFER_FULL: the entry is longer than capacity; out holds its first
// capacity bytes, and a call with a larger buffer that begins with them goes
// on where this one stopped. ENTRY_FAILED prints zlib's reason;
// ENTRY_INPUT_ENDED, the archive ending inside the entry, prints nothing.
int64_t inflate_entry(EntryInflater* inflater, unsigned char* out,
                      size_t capacity);
