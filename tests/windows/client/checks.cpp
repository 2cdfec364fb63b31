#include "checks.h"

#include <cstdio>

namespace qrwin {

namespace {
int passed = 0;
int failed = 0;
}  // namespace

bool Check(bool ok, const std::string& what, const std::string& detail) {
    if (ok) {
        ++passed;
        std::printf("ok   %s\n", what.c_str());
    } else {
        ++failed;
        std::printf("FAIL %s%s%s\n", what.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    }
    std::fflush(stdout);
    return ok;
}

int PassedCount() {
    return passed;
}
int FailedCount() {
    return failed;
}

}  // namespace qrwin
