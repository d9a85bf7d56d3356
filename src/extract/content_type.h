#pragma once

#include <cstddef>
#include <string>

// Replaces the last three characters of name ("dat") by "bmp", "png", "ogg"
// or "wav" when the entry's data begin with a bitmap, PNG, Ogg or RIFF
// signature. Only the entry's own size bytes are looked at.
void detect_extension(const unsigned char* data, size_t size,
                      std::string* name);
