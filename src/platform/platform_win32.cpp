#include <windows.h>

#include "platform/platform.h"

const char PATH_SEPARATOR = '\\';

namespace {

// Lead bytes of code page 932's double-byte characters; the byte after one
// is a trail byte and may be 0x5C without being a backslash.
bool is_cp932_lead_byte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

}  // namespace

size_t base_name_offset(const std::string& path) {
  size_t offset = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(path[i]);
    if (is_cp932_lead_byte(byte)) {
      ++i;
    } else if (byte == '\\' || byte == '/') {
      offset = i + 1;
    }
  }
  return offset;
}

void make_directory(const std::string& path) {
  CreateDirectoryA(path.c_str(), NULL);
}

bool replace_file(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool same_file(const std::string& a, const std::string& b) {
  auto identify = [](const std::string& path,
                     BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE file = CreateFileA(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(file, info) != 0;
    CloseHandle(file);
    return known;
  };
  BY_HANDLE_FILE_INFORMATION first, second;
  return identify(a, &first) && identify(b, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

bool is_directory(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool list_directory(const std::string& path, std::vector<std::string>* names) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names->push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return true;
}

uint64_t physical_memory_size() {
  MEMORYSTATUSEX status;
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return 0;
  return status.ullTotalPhys;
}

// The console streams are unbuffered text streams already (LF goes out as
// CR LF), and there is no file size signal.
void prepare_process() {}
