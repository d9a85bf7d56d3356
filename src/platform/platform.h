// What differs between Linux and Windows: path separators, directories,
// replacing a file and the memory the machine has. One implementation per
// platform (platform_posix.cpp, platform_win32.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The separator the program puts between a directory and a name.
extern const char PATH_SEPARATOR;

// Offset of the base name in path: the byte after its last separator, or 0.
size_t base_name_offset(const std::string& path);

// Creates the directory. An existing directory is fine; a failure shows
// later, when a file inside it cannot be created, so nothing is returned.
void make_directory(const std::string& path);

// Moves from over to, replacing a file of that name. False on failure.
bool replace_file(const std::string& from, const std::string& to);

// True when both paths name one existing file (through links or other
// spellings too).
bool same_file(const std::string& a, const std::string& b);

bool is_directory(const std::string& path);

// The names in the directory, without "." and "..". False when it cannot
// be read.
bool list_directory(const std::string& path, std::vector<std::string>* names);

// The machine's physical memory in bytes, or 0 when it cannot be told.
uint64_t physical_memory_size();

// Sets up the process's standard streams and signals for a run: on Linux,
// standard output is line-buffered so that progress shows through a pipe,
// and a write over the file size limit fails instead of killing the process.
void prepare_process();
