#include "support/TimeBound.h"

#include <thread>

#ifdef _WIN32
#include <future>
#include <memory>
#else
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#endif

namespace varnok::test {

#ifdef _WIN32
// Without fork the work runs on a thread of its own; one that hangs is left
// behind (the test fails and the process ends it when it exits).
bool FinishesWithin(std::chrono::milliseconds limit, const std::function<void()>& work) {
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    std::thread([work, done] {
        work();
        done->set_value();
    }).detach();
    return finished.wait_for(limit) == std::future_status::ready;
}
#else

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
#endif

}  // namespace varnok::test
