#pragma once
// Runs work that could hang (a FIFO, an endless device) in a child process and
// says whether it finished in time; a child that did not is killed. Tests run
// the work for real only after it has proved that it ends.

#include <chrono>
#include <functional>

namespace varnok::test {

bool FinishesWithin(std::chrono::milliseconds limit, const std::function<void()>& work);

}  // namespace varnok::test
