#include "engine_link.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

long long nowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

EngineLink::~EngineLink() { kill(); }

bool EngineLink::start(const std::vector<std::string>& argv, std::string& error) {
    if (argv.empty()) {
        error = "no program given";
        return false;
    }
    // Built before the fork: the child of a threaded parent may not allocate.
    std::vector<char*> args;
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    int in[2], out[2];
    if (::pipe2(in, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    if (::pipe2(out, O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        ::close(in[0]);
        ::close(in[1]);
        return false;
    }
    pid_t pid = ::fork();
    if (pid < 0) {
        error = std::string("fork: ") + std::strerror(errno);
        for (int fd : {in[0], in[1], out[0], out[1]}) ::close(fd);
        return false;
    }
    if (pid == 0) {
        // The child keeps the tool's standard error, so sanitizer reports show.
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::execvp(args[0], args.data());
        // Only async-signal-safe calls here: the tool may run several threads.
        const char* why = "vodaro_selfplay: cannot execute ";
        ssize_t ignored = ::write(2, why, std::strlen(why));
        ignored = ::write(2, args[0], std::strlen(args[0]));
        ignored = ::write(2, "\n", 1);
        (void)ignored;
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    pid_ = pid;
    toEngine_ = in[1];
    fromEngine_ = out[0];
    reaped_ = false;
    pending_.clear();
    return true;
}

bool EngineLink::send(const std::string& text) {
    if (toEngine_ < 0) return false;
    std::string bytes = text + "\n";
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(toEngine_, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

EngineLink::Read EngineLink::readLine(std::string& line, int timeoutMs) {
    const long long deadline = nowMs() + timeoutMs;
    for (;;) {
        size_t nl = pending_.find('\n');
        if (nl != std::string::npos) {
            line = pending_.substr(0, nl);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            pending_.erase(0, nl + 1);
            return Read::Line;
        }
        if (fromEngine_ < 0) return Read::Closed;
        long long left = deadline - nowMs();
        if (left <= 0) return Read::Timeout;
        pollfd pfd{fromEngine_, POLLIN, 0};
        int ready = ::poll(&pfd, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) return Read::Timeout;
        char chunk[4096];
        ssize_t n = ::read(fromEngine_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fromEngine_);
            fromEngine_ = -1;
            if (!pending_.empty()) {  // an unterminated last line still counts
                line = pending_;
                pending_.clear();
                return Read::Line;
            }
            return Read::Closed;
        }
        pending_.append(chunk, static_cast<size_t>(n));
    }
}

bool EngineLink::reapNow(bool block) {
    if (reaped_) return true;
    if (pid_ <= 0) return false;
    int status = 0;
    pid_t r = ::waitpid(pid_, &status, block ? 0 : WNOHANG);
    if (r != pid_) return false;
    reaped_ = true;
    rawStatus_ = status;
    return true;
}

bool EngineLink::waitExit(int timeoutMs, int& status) {
    const long long deadline = nowMs() + timeoutMs;
    while (!reapNow(false)) {
        if (nowMs() >= deadline) return false;
        ::usleep(2000);
    }
    status = WIFEXITED(rawStatus_) ? WEXITSTATUS(rawStatus_) : 128 + WTERMSIG(rawStatus_);
    return true;
}

void EngineLink::kill() {
    if (toEngine_ >= 0) ::close(toEngine_);
    toEngine_ = -1;
    if (pid_ > 0 && !reaped_) {
        ::kill(pid_, SIGKILL);
        reapNow(true);
    }
    if (fromEngine_ >= 0) ::close(fromEngine_);
    fromEngine_ = -1;
}

std::string EngineLink::exitDescription() const {
    if (!reaped_) return "still running";
    if (WIFEXITED(rawStatus_)) return "exited with status " + std::to_string(WEXITSTATUS(rawStatus_));
    if (WIFSIGNALED(rawStatus_)) {
        int sig = WTERMSIG(rawStatus_);
        return std::string("killed by signal ") + std::to_string(sig) + " (" + strsignal(sig) + ")";
    }
    return "ended";
}
