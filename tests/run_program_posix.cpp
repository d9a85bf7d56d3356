#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "test_support.h"

RunResult run_program(const std::string& program,
                      const std::vector<std::string>& args,
                      const std::string& input, const std::string& dir,
                      const RunLimits& limits) {
  TempDir capture;
  std::string in_path = capture.file("in");
  std::string out_path = capture.file("out");
  std::string err_path = capture.file("err");
  write_file(in_path, input);
  // An absolute path: the child changes its working directory first.
  std::string executable = program;
  if (executable[0] != '/') {
    char cwd[4096];
    if (getcwd(cwd, sizeof(cwd))) executable = std::string(cwd) + "/" + program;
  }

  pid_t child = fork();
  if (child == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    if (limits.address_space) {
      rlimit limit = {limits.address_space, limits.address_space};
      setrlimit(RLIMIT_AS, &limit);
    }
    if (limits.file_size) {
      rlimit limit = {limits.file_size, limits.file_size};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    dup2(open(in_path.c_str(), O_RDONLY), 0);
    dup2(open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
    dup2(open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(executable.c_str()));
    for (const std::string& arg : args)
      argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(executable.c_str(), argv.data());
    _exit(127);
  }
  if (limits.kill_after_ms) {
    usleep(limits.kill_after_ms * 1000);
    kill(child, SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  RunResult result;
  result.status =
      WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = read_file(out_path);
  result.err = read_file(err_path);
  return result;
}

std::string console_text(const std::string& utf8) { return utf8; }
