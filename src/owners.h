// RAII owners for what the C library hands out.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <memory>

struct FreeDeleter {
  void operator()(void* block) const { std::free(block); }
};

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

// A stream closed when it goes; close it by hand where the result matters.
using File = std::unique_ptr<FILE, FileCloser>;
