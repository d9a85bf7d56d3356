#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "platform/platform.h"

const char PATH_SEPARATOR = '/';

size_t base_name_offset(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? 0 : slash + 1;
}

void make_directory(const std::string& path) { mkdir(path.c_str(), 0777); }

bool replace_file(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool same_file(const std::string& a, const std::string& b) {
  struct stat first, second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool is_directory(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool list_directory(const std::string& path, std::vector<std::string>* names) {
  DIR* dir = opendir(path.c_str());
  if (!dir) return false;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names->push_back(name);
  }
  closedir(dir);
  return true;
}

uint64_t physical_memory_size() {
  long pages = sysconf(_SC_PHYS_PAGES);
  long page_size = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || page_size <= 0) return 0;
  return static_cast<uint64_t>(pages) * static_cast<uint64_t>(page_size);
}

void prepare_process() {
  std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
  std::signal(SIGXFSZ, SIG_IGN);
}
