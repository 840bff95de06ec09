// Process start-up: the real time of spawning a program and waiting for it, for /bin/true and for the
// command-line paths of `vyd` that need no display (`vyd convert` of a 2 x 2 BMP, `vyd --script` of a
// two-line script). Their ratio to /bin/true is what `vyd` costs beyond starting a process at all; the
// command line links no toolkit, so it should stay within a small multiple of it.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#ifndef VYD_EXECUTABLE
#error "VYD_EXECUTABLE must name the vyd executable"
#endif

extern char** environ;

namespace {

// A scratch folder holding a 2 x 2 truecolor BMP and a script that reads it and converts it to 16 colours.
struct Scratch {
    std::string dir;
    std::string picture;
    std::string copy;
    std::string script;

    Scratch() {
        char pattern[] = "/tmp/vyd_bench_startup_XXXXXX";
        if (!mkdtemp(pattern)) throw std::runtime_error("mkdtemp failed");
        dir = pattern;
        picture = dir + "/tiny.bmp";
        copy = dir + "/out.bmp";
        script = dir + "/tiny.vys";
        // File header, 40-byte information header, two rows of two blue-green-red pixels padded to 8 bytes.
        const unsigned char bmp[] = {
            'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
            40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 16, 0, 0, 0,
            0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
            0, 0, 255, 0, 255, 0, 0, 0,
            255, 0, 0, 255, 255, 255, 0, 0,
        };
        std::ofstream(picture, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
        std::ofstream(script) << "drop " << picture << "\nmenu 1604\n";
    }
    ~Scratch() {
        std::remove(picture.c_str());
        std::remove(copy.c_str());
        std::remove(script.c_str());
        rmdir(dir.c_str());
    }
};

// Starts the program with standard output and error on /dev/null and waits for it; returns its status.
int spawnAndWait(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void runSpawned(benchmark::State& state, const std::vector<std::string>& args) {
    if (spawnAndWait(args) != 0) {
        state.SkipWithError((args[0] + " did not exit with status 0").c_str());
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(spawnAndWait(args));
}

const Scratch& scratch() {
    static const Scratch files;
    return files;
}

void BM_SpawnTrue(benchmark::State& state) { runSpawned(state, {"/bin/true"}); }

// OUT is removed before each run, so every run creates it as a first conversion does: replacing an
// existing file by rename makes ext4 flush the new file's data first, which times the disk, not vyd.
void BM_SpawnConvertTinyBmp(benchmark::State& state) {
    const std::vector<std::string> args = {VYD_EXECUTABLE, "convert", scratch().picture, scratch().copy};
    if (spawnAndWait(args) != 0) {
        state.SkipWithError("vyd convert did not exit with status 0");
        return;
    }
    for (auto _ : state) {
        std::remove(scratch().copy.c_str());
        benchmark::DoNotOptimize(spawnAndWait(args));
    }
}

void BM_SpawnScriptTwoLines(benchmark::State& state) {
    runSpawned(state, {VYD_EXECUTABLE, "--script", scratch().script});
}

BENCHMARK(BM_SpawnTrue)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpawnConvertTinyBmp)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpawnScriptTwoLines)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
