#include "support/TimeBound.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <thread>

namespace varnok::test {

bool FinishesWithin(std::chrono::milliseconds limit, const std::function<void()>& work) {
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        work();
        _exit(0);
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return false;
}

}  // namespace varnok::test
