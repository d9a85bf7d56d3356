#include "archive/pac_header.h"

#include <cstring>

#include "messages.h"

namespace {

uint32_t read_le32(const unsigned char* bytes) {
  return static_cast<uint32_t>(bytes[0]) |
         static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 |
         static_cast<uint32_t>(bytes[3]) << 24;
}

}  // namespace

HeaderCheck decode_pac_header(const unsigned char* bytes, size_t size,
                              PacHeader* header) {
  static const unsigned char SIGNATURE[4] = {'P', 'A', 'C', 0};
  if (size < PAC_HEADER_SIZE || std::memcmp(bytes, SIGNATURE, 4) != 0) {
    return HEADER_NOT_SUPPORTED;
  }
  std::memcpy(header->signature, bytes, 4);
  header->entry_count = read_le32(bytes + 4);
  header->version = read_le32(bytes + 8);
  return header->version == PAC_VERSION ? HEADER_OK : HEADER_WRONG_VERSION;
}

bool check_pac_header(FILE* archive, const std::string& path,
                      PacHeader* header) {
  unsigned char bytes[PAC_HEADER_SIZE];
  size_t size = std::fread(bytes, 1, sizeof(bytes), archive);
  switch (decode_pac_header(bytes, size, header)) {
    case HEADER_OK:
      return true;
    case HEADER_NOT_SUPPORTED:
      print_message(MSG_NOT_SUPPORTED, path.c_str());
      return false;
    case HEADER_WRONG_VERSION:
      print_message(MSG_WRONG_VERSION, path.c_str());
      return false;
  }
  return false;
}
