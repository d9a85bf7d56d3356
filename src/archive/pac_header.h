// The archive header: 12 bytes, all integers 32-bit little-endian.
//   0  signature    "PAC" and a zero byte
//   4  entry count  unsigned
//   8  version      only PAC_VERSION is read
// The entries follow at offset 12: one zlib stream each, back to back, with
// no index, names or sizes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

constexpr size_t PAC_HEADER_SIZE = 12;
constexpr uint32_t PAC_VERSION = 3;

struct PacHeader {
  unsigned char signature[4];
  uint32_t entry_count;
  uint32_t version;
};

enum HeaderCheck { HEADER_OK, HEADER_NOT_SUPPORTED, HEADER_WRONG_VERSION };

// Decodes and checks the header held in the first size bytes of bytes.
// Fewer than 12 bytes, or a wrong signature, is not supported.
HeaderCheck decode_pac_header(const unsigned char* bytes, size_t size,
                              PacHeader* header);

// Reads the header from an archive standing at offset 0 and checks it; on a
// failure prints its message with path. On success the stream stands on the
// first entry.
bool check_pac_header(FILE* archive, const std::string& path,
                      PacHeader* header);
