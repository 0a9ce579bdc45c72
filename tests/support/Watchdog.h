#pragma once
// Ends the test program with a message when the scope it guards has not been
// left within Seconds: a step that blocks (opening a FIFO, say) fails the test
// rather than hanging the suite.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class TWatchdog {
public:
    TWatchdog(std::string What, int Seconds)
        : thread_([this, What = std::move(What), Seconds] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, std::chrono::seconds(Seconds), [this] { return left_; })) {
                  std::fprintf(stderr, "blocked for %d s: %s\n", Seconds, What.c_str());
                  std::_Exit(3);
              }
          })
    {
    }
    ~TWatchdog()
    {
        {
            std::lock_guard lock(mutex_);
            left_ = true;
        }
        done_.notify_one();
        thread_.join();
    }
    TWatchdog(const TWatchdog&) = delete;
    TWatchdog& operator=(const TWatchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool left_ = false;
    std::thread thread_; // last: it starts once the rest is made
};
