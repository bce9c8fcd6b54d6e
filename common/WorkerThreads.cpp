#include "common/WorkerThreads.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

unsigned UsableThreads(unsigned requested, size_t blocks) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const unsigned wanted = requested == 0 ? cores : std::min(requested, cores);
    return static_cast<unsigned>(std::max<size_t>(1, std::min<size_t>(wanted, blocks)));
}

void RunOnThreads(unsigned threads, const std::function<void(std::stop_token)>& work) {
    std::stop_source stop;
    std::mutex firstFailureGuard;
    std::exception_ptr firstFailure;
    const auto guardedWork = [&] {
        try {
            work(stop.get_token());
        } catch (...) {
            {
                const std::lock_guard lock(firstFailureGuard);
                if (!firstFailure) {
                    firstFailure = std::current_exception();
                }
            }
            stop.request_stop();
        }
    };
    {
        std::vector<std::jthread> helpers;
        helpers.reserve(threads);
        for (unsigned i = 1; i < threads; ++i) {
            try {
                helpers.emplace_back(guardedWork);
            } catch (const std::system_error&) {
                break;
            }
        }
        guardedWork();
    }  // joins the helpers
    if (firstFailure) {
        std::rethrow_exception(firstFailure);
    }
}
