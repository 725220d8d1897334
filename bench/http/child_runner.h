#pragma once

#include <string>
#include <vector>

namespace tarvenne::bench {

// What one program run cost, as its own process saw it.
struct ChildRun {
    bool succeeded = false; // exited with status 0
    std::string output;     // what it printed on its standard output
    double wallMs = 0;      // from fork to exit
    double cpuMs = 0;       // user and system time
    long peakKiB = 0;       // peak resident memory
};

// Starts programs in fresh processes from a helper forked when the runner is made. A process
// inherits the peak memory of the one it was forked from, so make the runner before the
// benchmark holds anything large.
class ChildRunner {
public:
    ChildRunner();
    ~ChildRunner();
    ChildRunner(const ChildRunner&) = delete;
    ChildRunner& operator=(const ChildRunner&) = delete;

    // Runs `arguments` (the program first, looked up on the PATH) and waits for its end.
    ChildRun run(const std::vector<std::string>& arguments);

private:
    int requests_ = -1;
    int answers_ = -1;
    int helper_ = -1;
};

// The load average of the last minute, five and fifteen minutes, as the system reports them.
std::string loadAverage();

} // namespace tarvenne::bench
