// Every test program writes its output in binary mode: CTest lists the cases
// from --gtest_list_tests, and the C runtime's text mode would end each name
// with a carriage return.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace {

const bool binaryStdout = [] {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
    return true;
}();

}  // namespace
