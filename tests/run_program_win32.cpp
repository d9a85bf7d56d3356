#include <windows.h>

#include "test_support.h"

namespace {

// One argument quoted for CommandLineToArgv: backslashes before a quote
// and at the end are doubled.
std::string quote(const std::string& arg) {
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(backslashes * 2, '\\');
  quoted += '"';
  return quoted;
}

HANDLE open_inheritable(const std::string& path, DWORD access,
                        DWORD disposition) {
  SECURITY_ATTRIBUTES attributes = {sizeof(attributes), NULL, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     &attributes, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
}

}  // namespace

RunResult run_program(const std::string& program,
                      const std::vector<std::string>& args,
                      const std::string& input, const std::string& dir,
                      const RunLimits&) {
  TempDir capture;
  std::string in_path = capture.file("in");
  std::string out_path = capture.file("out");
  std::string err_path = capture.file("err");
  write_file(in_path, input);
  char full[MAX_PATH];
  std::string executable = program + ".exe";
  if (GetFullPathNameA(executable.c_str(), MAX_PATH, full, NULL))
    executable = full;

  std::string command_line = quote(executable);
  for (const std::string& arg : args) {
    command_line += ' ';
    command_line += quote(arg);
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = open_inheritable(in_path, GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = open_inheritable(out_path, GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = open_inheritable(err_path, GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process = {};
  RunResult result = {-1, "", ""};
  if (CreateProcessA(executable.c_str(), command_line.data(), NULL, NULL, TRUE,
                     0, NULL, dir.c_str(), &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    result.status = static_cast<int>(status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(startup.hStdInput);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  result.out = read_file(out_path);
  result.err = read_file(err_path);
  return result;
}

std::string console_text(const std::string& utf8) {
  int wide_size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8.size(), NULL, 0);
  std::wstring wide(wide_size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8.size(), wide.data(),
                      wide_size);
  int size =
      WideCharToMultiByte(932, 0, wide.data(), wide_size, NULL, 0, NULL, NULL);
  std::string cp932(size, '\0');
  WideCharToMultiByte(932, 0, wide.data(), wide_size, cp932.data(), size, NULL,
                      NULL);
  std::string text;
  for (char c : cp932) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}
