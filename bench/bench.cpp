// Benchmark: builds its archives, then times qyMorvint against the floor
// (bench/floor.cpp) in alternating runs and prints medians of wall time,
// throughput and peak memory.
//   qyMorvint_bench [RUNS]   (from the build directory's parent or anywhere:
//                             the two programs are found beside this one)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

extern char** environ;
namespace fs = std::filesystem;

namespace {

struct Workload {
  std::string name;
  std::vector<size_t> entry_sizes;
};

// Media-like content: random runs broken by repeats, about 2:1 for zlib.
std::string content(size_t size, std::mt19937& generator) {
  std::string data;
  data.reserve(size);
  while (data.size() < size) {
    size_t run = 64 + generator() % 512;
    if (data.size() > 4096 && generator() % 2) {
      size_t from = generator() % (data.size() - run);
      data.append(data, from, run);
    } else {
      for (size_t i = 0; i < run; ++i) data += static_cast<char>(generator());
    }
  }
  data.resize(size);
  return data;
}

void build_archive(const Workload& workload, const fs::path& path) {
  std::mt19937 generator(42);
  FILE* file = std::fopen(path.c_str(), "wb");
  uint32_t count = workload.entry_sizes.size();
  unsigned char header[12] = {'P', 'A', 'C', 0};
  for (int i = 0; i < 4; ++i) header[4 + i] = count >> (8 * i);
  header[8] = 3;
  std::fwrite(header, 1, sizeof(header), file);
  for (size_t size : workload.entry_sizes) {
    std::string data = content(size, generator);
    uLongf packed_size = compressBound(size);
    std::vector<unsigned char> packed(packed_size);
    compress(packed.data(), &packed_size, reinterpret_cast<const Bytef*>(data.data()), size);
    std::fwrite(packed.data(), 1, packed_size, file);
  }
  std::fclose(file);
}

struct Run {
  double seconds;
  long peak_kib;
};

Run run(const std::vector<std::string>& argv, const fs::path& dir) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  // Earlier runs' files are flushed first, so that no run pays for another's
  // write-back.
  sync();
  fs::path previous = fs::current_path();
  fs::current_path(dir);
  auto start = std::chrono::steady_clock::now();
  pid_t child;
  posix_spawn(&child, args[0], &actions, nullptr, args.data(), environ);
  int status;
  rusage usage;
  wait4(child, &status, 0, &usage);
  auto end = std::chrono::steady_clock::now();
  fs::current_path(previous);
  posix_spawn_file_actions_destroy(&actions);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", argv[0].c_str());
    std::exit(1);
  }
  return {std::chrono::duration<double>(end - start).count(), usage.ru_maxrss};
}

template <typename T>
T median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 5;
  fs::path here = fs::canonical("/proc/self/exe").parent_path();
  std::string program = (here / "qyMorvint").string();
  std::string floor = (here / "qyMorvint_floor").string();
  fs::path work = here / "bench-work";
  fs::remove_all(work);
  fs::create_directories(work);

  std::mt19937 generator(1);
  Workload small{"4000 entries of 2-60 KB", {}};
  for (int i = 0; i < 4000; ++i) small.entry_sizes.push_back(2000 + generator() % 58'000);
  const std::vector<Workload> workloads = {
      small,
      {"3 entries of 8-48 MiB", {8u << 20, 24u << 20, 48u << 20}},
      {"1 entry of 64 MiB", {64u << 20}},
      {"1 entry of 128 MiB", {128u << 20}},
  };
  std::printf("%-24s %10s %10s %9s %9s %10s %10s %6s\n", "workload", "MB", "wall s", "MB/s",
              "floor s", "peak MiB", "floor MiB", "ratio");
  std::vector<double> walls;
  for (const Workload& workload : workloads) {
    fs::path archive = work / "bench.pac";
    // Built in a child, so that this process stays small: a spawned
    // program's peak memory counts what its parent held before the exec.
    uint64_t bytes = 0;
    for (size_t size : workload.entry_sizes) bytes += size;
    pid_t builder = fork();
    if (builder == 0) {
      build_archive(workload, archive);
      _exit(0);
    }
    waitpid(builder, nullptr, 0);
    fs::path floor_out = work / "floor-out";
    std::vector<double> program_s, floor_s;
    std::vector<long> program_kib, floor_kib;
    for (int i = 0; i < runs; ++i) {
      fs::remove_all(work / "#bench.pac#");
      Run p = run({program, "bench.pac"}, work);
      program_s.push_back(p.seconds);
      program_kib.push_back(p.peak_kib);
      fs::remove_all(floor_out);
      fs::create_directory(floor_out);
      Run f = run({floor, "bench.pac", "floor-out"}, work);
      floor_s.push_back(f.seconds);
      floor_kib.push_back(f.peak_kib);
    }
    double wall = median(program_s);
    double floor_wall = median(floor_s);
    walls.push_back(wall);
    std::printf("%-24s %10.1f %10.3f %9.1f %9.3f %10.1f %10.1f %6.3f\n", workload.name.c_str(),
                bytes / 1e6, wall, bytes / 1e6 / wall, floor_wall, median(program_kib) / 1024.0,
                median(floor_kib) / 1024.0, wall / floor_wall);
  }
  std::printf("128 MiB entry / 64 MiB entry: %.2fx the time\n", walls[3] / walls[2]);
  fs::remove_all(work);
  return 0;
}
