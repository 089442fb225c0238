#pragma once
// One engine child process driven through its standard input and output, the
// way a tournament manager drives it: lines out, lines back with deadlines.
#include <sys/types.h>

#include <string>
#include <vector>

class EngineLink {
public:
    enum class Read { Line, Timeout, Closed };

    EngineLink() = default;
    ~EngineLink();
    EngineLink(const EngineLink&) = delete;
    EngineLink& operator=(const EngineLink&) = delete;

    // Starts the program argv[0] with the arguments argv[1..] (no shell);
    // false (and a reason in error) if it cannot.
    bool start(const std::vector<std::string>& argv, std::string& error);

    // Writes text and a newline; false once the engine no longer reads.
    bool send(const std::string& text);

    // Next output line (without the newline) within timeoutMs.
    Read readLine(std::string& line, int timeoutMs);

    // Waits up to timeoutMs for the process to end. Returns true once it has
    // ended; status then holds the exit code, or 128 + signal number.
    bool waitExit(int timeoutMs, int& status);

    // Ends the process at once (after a fault) and reaps it.
    void kill();

    // True once the process was reaped; exitDescription tells how it ended.
    bool reaped() const { return reaped_; }
    std::string exitDescription() const;

private:
    bool reapNow(bool block);

    pid_t pid_ = -1;
    int toEngine_ = -1;
    int fromEngine_ = -1;
    bool reaped_ = false;
    int rawStatus_ = 0;
    std::string pending_;
};

// Milliseconds on a monotonic clock, for reply timing.
long long nowMs();
