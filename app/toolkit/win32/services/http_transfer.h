#pragma once

#include <windows.h>

#include <wininet.h>

#include <chrono>
#include <cstddef>
#include <string>

#include "toolkit/controls.h"

namespace win32 {

// One WinINet request run on a worker thread, so that the caller can give up at a deadline
// whatever the network does: at the deadline the session is closed, which cancels a blocking
// call, and the caller keeps the bytes that had arrived.
struct TransferRequest {
    enum class Kind {
        Get,    // connect, GET, read the body
        Answer  // open the address; an answer of any status is enough
    };
    Kind kind = Kind::Get;
    std::string url;
    std::string agent;
    std::size_t maxBytes = 0;
};

struct TransferResult {
    bool answered = false;
    ui::Bytes bytes;
};

TransferResult RunTransfer(const TransferRequest& request, std::chrono::milliseconds timeLimit);

}  // namespace win32
