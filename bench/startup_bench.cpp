// The program's start-up as the user waits for it, against a bare Qt dialog
// (a list of 40 names and one painted widget) on the same machine in the same
// run: each run starts a process and times it, fork to exit, until the first
// paint of both previews (of the one painted widget), when StartupProbe ends
// it. The two programs take turns, so that a busy machine slows both alike;
// the figures are the medians of all runs, wall time, processor time (user and
// system) and peak resident memory, and their ratios. The bare dialog runs at
// the size its widgets ask for ("natural") and at the card window's size
// ("card_size"), where both windows fill as many pixels.
//
// On the full folder (909 publishers), offscreen and on the X display in
// DISPLAY (run it under `xvfb-run -a`; without a display that case is skipped).
// VARNOK_STARTUP_PAIRS sets the number of runs of each program (40);
// VARNOK_STARTUP_PROGRAM times another build of the probe (a scratch variant).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <QGuiApplication>

#include "BenchData.h"
#include "platform/DialogBuilder.h"
#include "platform/DialogTemplate.h"
#include "platform/ResourceIds.h"

extern char** environ;

namespace varnok::bench {
namespace {

struct RunFigures {
    double wallMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
};

double Milliseconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
}

double Now() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The environment of this process with the platform and the awaited widgets set.
std::vector<std::string> ChildEnvironment(const char* platform, const char* painted) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0 &&
            std::strncmp(*e, "VARNOK_PROBE_PAINTED=", 21) != 0) {
            env.emplace_back(*e);
        }
    }
    env.push_back(std::string("QT_QPA_PLATFORM=") + platform);
    env.push_back(std::string("VARNOK_PROBE_PAINTED=") + painted);
    return env;
}

// Starts `argv` with `env`, its output discarded, and waits for its end.
// False when it could not start or did not end by its probe.
bool RunOnce(const std::vector<std::string>& argv, const std::vector<std::string>& env,
             RunFigures& figures) {
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : env) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const double start = Now();
    pid_t pid = 0;
    const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return false;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        return false;
    }
    figures.wallMs = Now() - start;
    figures.cpuMs = Milliseconds(usage.ru_utime) + Milliseconds(usage.ru_stime);
    figures.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The card window's size in pixels, as the dialog builder makes it.
std::string CardWindowSize() {
    const DialogTemplate& t = *FindDialogTemplate(idd::kCardWindow);
    const DialogUnits units(DialogFont(t));
    return std::to_string(units.X(t.width)) + "x" + std::to_string(units.Y(t.height));
}

int Pairs() {
    const char* text = std::getenv("VARNOK_STARTUP_PAIRS");
    const int pairs = text != nullptr ? std::atoi(text) : 0;
    return pairs > 0 ? pairs : 40;
}

void BM_StartupAgainstBareDialog(benchmark::State& st, const char* platform, bool cardSize) {
    if (std::strcmp(platform, "xcb") == 0 && std::getenv("DISPLAY") == nullptr) {
        st.SkipWithError("no X display: run under xvfb-run -a");
        return;
    }
    DataFolder folder(Congregation::full);
    const std::string folderPath = std::filesystem::path(folder.profilePath()).parent_path();
    const char* program = std::getenv("VARNOK_STARTUP_PROGRAM");
    const std::vector<std::string> card{program != nullptr ? program : VARNOK_PROBE_PROGRAM,
                                        folderPath};
    std::vector<std::string> bare{BARE_DIALOG_PROGRAM};
    if (cardSize) {
        bare.push_back(CardWindowSize());
    }
    // The ids of the header and body previews are their object names.
    const std::vector<std::string> cardEnv = ChildEnvironment(platform, "1006,129");
    const std::vector<std::string> bareEnv = ChildEnvironment(platform, "painted");

    std::vector<double> cardWall, cardCpu, cardPeak, bareWall, bareCpu, barePeak;
    for (auto _ : st) {
        RunFigures f;
        // One run of each first: the file and font caches are warm for both.
        if (!RunOnce(card, cardEnv, f) || !RunOnce(bare, bareEnv, f)) {
            st.SkipWithError("a program did not reach its first paint");
            return;
        }
        const int pairs = Pairs();
        for (int i = 0; i < pairs; ++i) {
            // Turn about which starts first, so neither always follows the other.
            for (int k = 0; k < 2; ++k) {
                const bool cardTurn = (i + k) % 2 == 0;
                if (!RunOnce(cardTurn ? card : bare, cardTurn ? cardEnv : bareEnv, f)) {
                    st.SkipWithError("a program did not reach its first paint");
                    return;
                }
                (cardTurn ? cardWall : bareWall).push_back(f.wallMs);
                (cardTurn ? cardCpu : bareCpu).push_back(f.cpuMs);
                (cardTurn ? cardPeak : barePeak).push_back(f.peakMiB);
            }
        }
    }
    const double cw = Median(cardWall), bw = Median(bareWall);
    const double cc = Median(cardCpu), bc = Median(bareCpu);
    const double cp = Median(cardPeak), bp = Median(barePeak);
    st.counters["runs"] = static_cast<double>(cardWall.size());
    st.counters["card_ms"] = cw;
    st.counters["bare_ms"] = bw;
    st.counters["wall_ratio"] = cw / bw;
    st.counters["card_cpu_ms"] = cc;
    st.counters["bare_cpu_ms"] = bc;
    st.counters["cpu_ratio"] = cc / bc;
    st.counters["card_MiB"] = cp;
    st.counters["bare_MiB"] = bp;
    st.counters["mem_ratio"] = cp / bp;
}
BENCHMARK_CAPTURE(BM_StartupAgainstBareDialog, offscreen_natural, "offscreen", false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupAgainstBareDialog, offscreen_card_size, "offscreen", true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupAgainstBareDialog, xvfb_natural, "xcb", false)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartupAgainstBareDialog, xvfb_card_size, "xcb", true)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace varnok::bench

int main(int argc, char** argv) {
    // Only to measure the card window's size; each run sets its own platform.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (platform.isNull()) {
        qunsetenv("QT_QPA_PLATFORM");
    } else {
        qputenv("QT_QPA_PLATFORM", platform);
    }
    return varnok::bench::RunBenchmarks(argc, argv);
}
