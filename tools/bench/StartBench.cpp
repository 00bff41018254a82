// SPDX-License-Identifier: MIT
// Times two programs from exec to their first paint, alternately, and prints the
// medians and the ratio of the second to the first; or one program alone.
//
//   cardenza_startbench RUNS BARE_PROGRAM PROGRAM [ARGUMENTS...]
//   cardenza_startbench --alone RUNS LABEL PROGRAM [ARGUMENTS...]
//
// Both programs report the moment of their first paint on standard output (the
// monotonic clock) and end there. Each run gets a fresh, empty settings folder.
// Besides the time, each run's CPU time (to its end, which is its first paint)
// and its resident memory at first paint are collected.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Run {
    double milliseconds = 0;
    double cpuMilliseconds = 0;
    double residentMegabytes = 0;
};

struct Series {
    std::string name;
    std::vector<char *> command;
    std::vector<Run> runs;
};

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

double cpuMilliseconds(const rusage &usage)
{
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

std::string readAll(int descriptor)
{
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = read(descriptor, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(got));
    return text;
}

[[noreturn]] void execInChild(const std::vector<char *> &command, int output, const std::string &settings)
{
    dup2(output, STDOUT_FILENO);
    // The toolkit's warnings (no audio server, no runtime folder) are not the measure.
    if (const int quiet = open("/dev/null", O_WRONLY); quiet >= 0)
        dup2(quiet, STDERR_FILENO);
    setenv("CARDENZA_CONFIG_DIR", settings.c_str(), 1);
    std::vector<char *> argv = command;
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    std::perror(argv[0]);
    std::_Exit(127);
}

// One run; false when the program did not report a first paint.
bool runOnce(Series &series)
{
    char folder[] = "/tmp/cardenza-bench-XXXXXX";
    if (!mkdtemp(folder))
        return false;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return false;
    const long long started = monotonicNanoseconds();
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        execInChild(series.command, pipeEnds[1], folder);
    }
    close(pipeEnds[1]);
    const std::string report = readAll(pipeEnds[0]);
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::filesystem::remove_all(folder);
    long long painted = 0;
    long resident = 0;
    const char *line = std::strstr(report.c_str(), "first-paint-ns ");
    if (!line || std::sscanf(line, "first-paint-ns %lld rss-kb %ld", &painted, &resident) != 2) {
        std::fprintf(stderr, "%s did not report its first paint (status %d)\n", series.name.c_str(), status);
        return false;
    }
    series.runs.push_back({(painted - started) / 1e6, cpuMilliseconds(usage), resident / 1024.0});
    return true;
}

constexpr int warmUps = 3;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

template <typename Field>
double medianOf(const Series &series, Field field)
{
    std::vector<double> values;
    for (const Run &run : series.runs)
        values.push_back(run.*field);
    return median(values);
}

void printRow(const Series &series)
{
    std::printf("%-26s %9.1f ms %9.1f ms %9.1f MB\n", series.name.c_str(), medianOf(series, &Run::milliseconds),
                medianOf(series, &Run::cpuMilliseconds), medianOf(series, &Run::residentMegabytes));
}

int usage(const char *program)
{
    std::fprintf(stderr,
                 "usage: %s RUNS BARE_PROGRAM PROGRAM [ARGUMENTS...]\n"
                 "       %s --alone RUNS LABEL PROGRAM [ARGUMENTS...]\n",
                 program, program);
    return 2;
}

// The program alone: one line with its medians.
int measureAlone(int runs, Series series)
{
    for (int i = 0; i < runs + warmUps; ++i) {
        if (i == warmUps)
            series.runs.clear();
        if (!runOnce(series))
            return 1;
    }
    printRow(series);
    return 0;
}

// The program against the yardstick, run for run.
int compare(int runs, Series bare, Series program)
{
    for (int i = 0; i < runs + warmUps; ++i) {
        if (i == warmUps) {
            bare.runs.clear();
            program.runs.clear();
        }
        if (!runOnce(bare) || !runOnce(program))
            return 1;
    }
    std::printf("Exec to first paint, medians of %d alternate runs each (after %d warm-up runs):\n", runs, warmUps);
    std::printf("%-26s %12s %12s %12s\n", "", "time", "CPU", "resident");
    printRow(bare);
    printRow(program);
    const double ratio = medianOf(program, &Run::milliseconds) / medianOf(bare, &Run::milliseconds);
    std::printf("%-26s %9.2f x\n", "ratio", ratio);
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    const bool alone = argc > 1 && std::strcmp(argv[1], "--alone") == 0;
    const int first = alone ? 2 : 1;
    if (argc < first + 3)
        return usage(argv[0]);
    const int runs = std::max(1, std::atoi(argv[first]));
    if (alone)
        return measureAlone(runs, Series{argv[first + 1], std::vector<char *>(argv + first + 2, argv + argc), {}});
    return compare(runs, Series{"bare Qt Widgets window", {argv[first + 1]}, {}},
                   Series{"Cardenza! launcher", std::vector<char *>(argv + first + 2, argv + argc), {}});
}
