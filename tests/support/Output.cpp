// Output capture and the no-host fixture: nothing here needs a host, so a
// process without one links it too.

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "bridge/PIFunctionMap.h"
#include "tests/support/Requests.h"

namespace pitest {
namespace {

void flushAll() {
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
}

// One descriptor sent to a temporary file until finish().
class Redirect {
public:
    explicit Redirect(int fd) : fd_(fd), file_(std::tmpfile()), saved_(dup(fd)) {
        if (file_ == nullptr) throw std::runtime_error("tmpfile failed");
        dup2(fileno(file_), fd_);
    }
    ~Redirect() {
        restore();
        std::fclose(file_);
    }
    std::string finish() {
        restore();
        std::rewind(file_);
        std::string text;
        for (int c; (c = std::fgetc(file_)) != EOF;) text += static_cast<char>(c);
        return text;
    }

private:
    void restore() {
        if (saved_ < 0) return;
        dup2(saved_, fd_);
        close(saved_);
        saved_ = -1;
    }
    int fd_;
    std::FILE* file_;
    int saved_;
};

}  // namespace

void NoHost::SetUp() {
    ASSERT_EQ(g_FunctionMap, nullptr) << "run this case in a process of its own (ctest does)";
}

std::string noHostMessages(std::size_t requests) {
    std::string all;
    for (std::size_t i = 0; i < 2 * requests; ++i) all += kNoHostMessage;
    return all;
}

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
