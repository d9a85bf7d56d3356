#include "extract/content_type.h"

#include <cstring>

namespace {

struct Signature {
  const char* bytes;
  size_t size;
  const char* extension;
};

// Tried in this order; the first match wins.
const Signature SIGNATURES[] = {
    {"BM", 2, "bmp"},
    {"\x89PNG", 4, "png"},
    {"OggS", 4, "ogg"},
    {"RIFF", 4, "wav"},
};

}  // namespace

void detect_extension(const unsigned char* data, size_t size,
                      std::string* name) {
  for (const Signature& signature : SIGNATURES) {
    if (size >= signature.size &&
        std::memcmp(data, signature.bytes, signature.size) == 0) {
      name->replace(name->size() - 3, 3, signature.extension);
      return;
    }
  }
}
