// The extraction driver: from an archive path to its entries written as
// numbered files in "#<archive name>#" beside the archive.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

constexpr size_t OUTPUT_BUFFER_STEP = 1 << 20;

struct OutputNames {
  std::string directory;  // <dir>/#<base>#
  std::string prefix;     // <dir>/#<base>#/<stem>, the stem being the base
                          // name without its last four characters
};

// Derives the output directory and the entry name prefix from the archive
// path. A base name shorter than four characters gives an empty stem, so
// the entry files still go inside the directory.
OutputNames compose_output_prefix(const std::string& archive_path);

struct NameFormat {
  std::string prefix;
  int width;  // decimal digits of the entry count
};

NameFormat make_name_format(const std::string& prefix, uint32_t entry_count);

// The prefix, index zero-padded to the width, and ".dat".
std::string format_entry_name(const NameFormat& format, uint32_t index);

// Reads the prompt's answer: the first line that is not blank, with leading
// and trailing blanks and one pair of enclosing double quotes removed.
// False when input ends before such a line.
bool read_answer(FILE* input, std::string* answer);

// Writes the file under a temporary name beside it and renames it when it
// is whole, so that no partial file is ever left under the name. False,
// with nothing left behind, when any step fails.
bool write_entry_file(const std::string& name, const unsigned char* data,
                      size_t size);

enum PathSource { PATH_FROM_ARGUMENT, PATH_FROM_PROMPT };

// Extracts every entry of the archive, printing progress and failures.
// Returns the exit status: 0 when every entry was written whole, else 1.
int extract_archive(const std::string& path, PathSource source);
