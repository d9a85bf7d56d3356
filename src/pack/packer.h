// The way back: files packed as the entries of a version 3 archive, each
// compressed as a zlib stream with the default window.
#pragma once

#include <string>
#include <vector>

// The entry files of a directory the extractor made, in their number order:
// <stem><number>.<bmp|png|ogg|wav|dat>, the stem taken from the directory's
// name "#<archive name>#" as the extractor forms it. Other files are left
// out. False, with its message printed, when there are none or a number is
// missing or doubled.
bool collect_entry_files(const std::string& directory,
                         std::vector<std::string>* files);

// Writes the archive to a temporary file beside output and renames it when
// whole. Refuses to overwrite one of the inputs. Returns the exit status.
int pack_archive(const std::string& output,
                 const std::vector<std::string>& inputs);
