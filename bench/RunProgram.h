#pragma once
// Runs another program to compare against and measures it as a whole process.
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace trackalbum::bench {

struct ProgramTiming {
    double Wall = -1;       // seconds; -1 when the program failed
    double Processor = -1;  // user and system seconds of the child
};

// prepareChild runs in the child before exec (for its environment).
inline ProgramTiming RunProgram(const std::vector<std::string>& arguments,
                                const std::function<void()>& prepareChild = {}) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (prepareChild) prepareChild();
        std::vector<char*> argv;
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; };
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
            seconds(usage.ru_utime) + seconds(usage.ru_stime)};
}

}  // namespace trackalbum::bench
