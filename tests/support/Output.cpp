// Output capture and the no-host fixture: nothing here needs a host, so a
// process without one links it too.

#include <unistd.h>

#include <cstdio>
#include <iostream>

#include "tests/support/Requests.h"

namespace pitest {

void NoHost::SetUp() {
    ASSERT_EQ(g_FunctionMap, nullptr) << "run this case in a process of its own (ctest does)";
}

std::string noHostMessages(std::size_t requests) {
    std::string all;
    for (std::size_t i = 0; i < 2 * requests; ++i) all += kNoHostMessage;
    return all;
}

CapturedOutput captureOutput(const std::function<void()>& body) {
    const auto flush = [] {
        std::cout.flush();
        std::cerr.flush();
        std::fflush(nullptr);
    };
    flush();
    std::FILE* files[2] = {std::tmpfile(), std::tmpfile()};
    const int saved[2] = {dup(STDOUT_FILENO), dup(STDERR_FILENO)};
    dup2(fileno(files[0]), STDOUT_FILENO);
    dup2(fileno(files[1]), STDERR_FILENO);
    body();  // the tests' bodies do not throw
    flush();
    std::string text[2];
    for (int i = 0; i < 2; ++i) {
        dup2(saved[i], i == 0 ? STDOUT_FILENO : STDERR_FILENO);
        close(saved[i]);
        std::rewind(files[i]);
        for (int c; (c = std::fgetc(files[i])) != EOF;) text[i] += static_cast<char>(c);
        std::fclose(files[i]);
    }
    return {text[0], text[1]};
}

}  // namespace pitest
