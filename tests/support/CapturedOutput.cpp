#include "tests/support/CapturedOutput.h"

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace pitest {
namespace {

class Redirect {
public:
    explicit Redirect(int fd) : fd_(fd), file_(std::tmpfile()) {
        if (file_ == nullptr) {
            throw std::runtime_error("tmpfile failed");
        }
        saved_ = dup(fd_);
        dup2(fileno(file_), fd_);
    }
    ~Redirect() {
        if (saved_ >= 0) {
            restore();
        }
        std::fclose(file_);
    }
    Redirect(const Redirect&) = delete;
    Redirect& operator=(const Redirect&) = delete;

    std::string finish() {
        restore();
        std::rewind(file_);
        std::string text;
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file_)) > 0) {
            text.append(buffer, n);
        }
        return text;
    }

private:
    void restore() {
        dup2(saved_, fd_);
        close(saved_);
        saved_ = -1;
    }

    int fd_;
    std::FILE* file_;
    int saved_ = -1;
};

void flushAll() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
}

}  // namespace

CapturedOutput captureOutput(const std::function<void()>& body) {
    flushAll();
    Redirect out(STDOUT_FILENO);
    Redirect err(STDERR_FILENO);
    body();
    flushAll();
    CapturedOutput captured;
    captured.err = err.finish();
    captured.out = out.finish();
    return captured;
}

}  // namespace pitest
