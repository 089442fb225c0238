#pragma once
// Runs the engine binary as a child process for protocol tests: lines go to its
// standard input, lines come back from its standard output. Every read has a
// timeout, so an engine that hangs fails the test instead of blocking CI.
//
//   EngineProcess engine;                 // starts VODARO_BINARY (or VODARO_ENGINE_CMD)
//   engine.send("START 15");
//   EXPECT_EQ(engine.readLine(), "MESSAGE Vodaro ... :-)");
//   engine.closeInput();                  // end of input
//   EXPECT_EQ(engine.waitExit(), 0);
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#ifndef VODARO_BINARY
#error "VODARO_BINARY must name the engine executable"
#endif

class EngineProcess {
public:
    // Marker returned by readLine when nothing arrived in time or the engine closed its output.
    static constexpr const char* TIMEOUT = "<timeout>";
    static constexpr const char* CLOSED = "<closed>";
    static constexpr int DEFAULT_TIMEOUT_MS = 10000;

    // The environment variable VODARO_ENGINE_CMD, when set and not empty, replaces
    // the binary with a command of blank-separated words, searched on PATH:
    //   VODARO_ENGINE_CMD="wine build/windows/pbrain-vodaro64.exe" test_protocol
    // runs the same tests against the Windows engine.
    EngineProcess() : EngineProcess(engineCommand()) {}
    explicit EngineProcess(const char* binary) : EngineProcess(std::vector<std::string>{binary}) {}
    explicit EngineProcess(const std::vector<std::string>& command) { start(command); }

    static std::vector<std::string> engineCommand() {
        const char* custom = std::getenv("VODARO_ENGINE_CMD");
        if (custom == nullptr || *custom == '\0') return {VODARO_BINARY};
        std::vector<std::string> words;
        std::istringstream split(custom);
        for (std::string word; split >> word;) words.push_back(word);
        return words;
    }

    ~EngineProcess() {
        closeInput();
        if (outFd_ >= 0) ::close(outFd_);
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            int status = 0;
            ::waitpid(pid_, &status, 0);
        }
    }

    EngineProcess(const EngineProcess&) = delete;
    EngineProcess& operator=(const EngineProcess&) = delete;

    bool running() const { return pid_ > 0; }

    // Writes text and a newline. Returns false when the engine no longer reads.
    bool send(const std::string& line) { return sendRaw(line + "\n"); }

    // Writes the bytes exactly as given (no newline added).
    bool sendRaw(const std::string& bytes) {
        if (inFd_ < 0) return false;
        const char* p = bytes.data();
        size_t left = bytes.size();
        while (left > 0) {
            ssize_t n = ::write(inFd_, p, left);
            if (n < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            p += n;
            left -= static_cast<size_t>(n);
        }
        return true;
    }

    // End of input for the engine.
    void closeInput() {
        if (inFd_ >= 0) {
            ::close(inFd_);
            inFd_ = -1;
        }
    }

    // Next output line without its newline, TIMEOUT if none arrives in time, CLOSED at end of output.
    std::string readLine(int timeoutMs = DEFAULT_TIMEOUT_MS) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            size_t nl = pending_.find('\n');
            if (nl != std::string::npos) {
                std::string line = pending_.substr(0, nl);
                pending_.erase(0, nl + 1);
                return line;
            }
            if (outFd_ < 0) return CLOSED;
            int left = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                            deadline - std::chrono::steady_clock::now())
                                            .count());
            if (left <= 0) return TIMEOUT;
            pollfd pfd{outFd_, POLLIN, 0};
            int ready = ::poll(&pfd, 1, left);
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) return TIMEOUT;
            char chunk[4096];
            ssize_t n = ::read(outFd_, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ::close(outFd_);
                outFd_ = -1;
                if (!pending_.empty()) {  // an unterminated last line
                    std::string line = pending_;
                    pending_.clear();
                    return line;
                }
                return CLOSED;
            }
            // Lines written in one piece leave the pipe as whole lines: a read that
            // stops inside a line, with room left in the buffer, saw a line in parts.
            if (static_cast<size_t>(n) < sizeof chunk && chunk[n - 1] != '\n') ++splitReads_;
            pending_.append(chunk, static_cast<size_t>(n));
        }
    }

    // Reads that returned part of a line although the buffer had room for more:
    // the engine wrote a line in more than one piece.
    int splitReads() const { return splitReads_; }

    // Reads up to count lines (stops early on timeout or end of output).
    std::vector<std::string> readLines(int count, int timeoutMs = DEFAULT_TIMEOUT_MS) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i) {
            std::string line = readLine(timeoutMs);
            if (line == TIMEOUT || line == CLOSED) break;
            lines.push_back(line);
        }
        return lines;
    }

    // Skips lines that begin with "MESSAGE" and returns the next other line.
    std::string readNonMessage(int timeoutMs = DEFAULT_TIMEOUT_MS) {
        for (;;) {
            std::string line = readLine(timeoutMs);
            if (line.rfind("MESSAGE", 0) != 0) return line;
        }
    }

    // True when no line arrives within quietMs (the engine said nothing).
    bool silentFor(int quietMs) { return readLine(quietMs) == TIMEOUT; }

    // Exit status of the engine once it has exited, -1 if it has not within the
    // timeout (it is then killed), 128 + signal number if a signal ended it.
    int waitExit(int timeoutMs = DEFAULT_TIMEOUT_MS) {
        if (reaped_) return exitStatus_;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            int status = 0;
            pid_t r = ::waitpid(pid_, &status, WNOHANG);
            if (r == pid_) {
                reaped_ = true;
                exitStatus_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                return exitStatus_;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
                reaped_ = true;
                exitStatus_ = -1;
                return exitStatus_;
            }
            ::usleep(2000);
        }
    }

    // Output that arrived but was not yet read as lines (for failure messages).
    const std::string& unread() const { return pending_; }

private:
    void start(const std::vector<std::string>& command) {
        if (command.empty()) return;
        std::vector<char*> argv;
        for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(nullptr);
        int toChild[2];
        int fromChild[2];
        if (::pipe2(toChild, O_CLOEXEC) != 0) return;
        if (::pipe2(fromChild, O_CLOEXEC) != 0) {
            ::close(toChild[0]);
            ::close(toChild[1]);
            return;
        }
        ::signal(SIGPIPE, SIG_IGN);  // a dead engine must fail the test, not kill it
        pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(toChild[0], 0);
            ::dup2(fromChild[1], 1);
            ::execvp(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        if (pid < 0) {
            ::close(toChild[1]);
            ::close(fromChild[0]);
            return;
        }
        pid_ = pid;
        inFd_ = toChild[1];
        outFd_ = fromChild[0];
    }

    pid_t pid_ = -1;
    int inFd_ = -1;
    int outFd_ = -1;
    bool reaped_ = false;
    int exitStatus_ = -1;
    std::string pending_;
    int splitReads_ = 0;
};
