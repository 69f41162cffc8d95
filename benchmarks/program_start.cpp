#include "program_start.h"

#include <chrono>
#include <cstdio>
#include <fstream>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr int ReportTimeoutMs = 10000;

// Reads the child's output until its first line or its end; false when nothing came in time.
bool readFirstLine(int fd, std::string &line)
{
    char buffer[256];
    while (line.find('\n') == std::string::npos) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, ReportTimeoutMs) <= 0)
            return false;
        const ssize_t count = read(fd, buffer, sizeof buffer);
        if (count <= 0)
            return false;
        line.append(buffer, std::size_t(count));
    }
    return true;
}

// The highest resident memory of a running process so far, in MiB; 0 once it has ended. The
// kernel's own figure for a child, the rusage of wait4, also counts the memory of this process,
// which the child shared until its exec.
double peakMemoryMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

} // namespace

std::optional<ProgramStart> startProgram(const std::string &program,
                                         const std::vector<std::string> &arguments)
{
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::string report = "QUORVANE_REPORT_FIRST_FRAME=1";
    std::vector<char *> environment{report.data()};
    for (char **variable = environ; *variable; ++variable)
        environment.push_back(*variable);
    environment.push_back(nullptr);

    int output[2];
    if (pipe2(output, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    // The platform's warnings would mix with the benchmark's table.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const Clock::time_point started = Clock::now();
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    if (spawned != 0) {
        close(output[0]);
        return std::nullopt;
    }

    std::string line;
    const bool reported = readFirstLine(output[0], line);
    const Clock::time_point firstFrame = Clock::now();
    // Read while the program is still on its way out from the frame it reported.
    const double peakMiB = peakMemoryMiB(pid);
    close(output[0]);
    if (!reported)
        kill(pid, SIGKILL);
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !reported || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;

    ProgramStart start;
    if (std::sscanf(line.c_str(), "first frame after %lf ms", &start.reportedMs) != 1)
        return std::nullopt;
    start.toFirstFrameMs = std::chrono::duration<double, std::milli>(firstFrame - started).count();
    start.peakMiB = peakMiB;
    return start;
}
