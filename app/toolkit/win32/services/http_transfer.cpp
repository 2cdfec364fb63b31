#include "toolkit/win32/services/http_transfer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace win32 {

namespace {

// What the caller and the worker share; the last of the two to let go deletes it.
class Transfer {
  public:
    Transfer(TransferRequest request, DWORD timeLimit)
        : request_(std::move(request)), timeLimit_(timeLimit) {
        InitializeCriticalSection(&lock_);
        finished_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    bool Start() {
        if (finished_ == nullptr) return false;
        references_ = 2;  // the worker's share, before it can let go of it
        const HANDLE thread = CreateThread(nullptr, 0, &Transfer::Run, this, 0, nullptr);
        if (thread == nullptr) {
            references_ = 1;
            return false;
        }
        CloseHandle(thread);
        return true;
    }

    // Waits until the worker is done or the time is up; then takes what has arrived.
    TransferResult Wait() {
        const bool done = WaitForSingleObject(finished_, timeLimit_) == WAIT_OBJECT_0;
        EnterCriticalSection(&lock_);
        if (!done) Abandon();
        TransferResult result = std::move(result_);
        LeaveCriticalSection(&lock_);
        return result;
    }

    void Release() {
        if (InterlockedDecrement(&references_) == 0) delete this;
    }

  private:
    ~Transfer() {
        if (finished_ != nullptr) CloseHandle(finished_);
        DeleteCriticalSection(&lock_);
    }

    static DWORD WINAPI Run(void* self) {
        auto* transfer = static_cast<Transfer*>(self);
        transfer->Work();
        SetEvent(transfer->finished_);
        transfer->Release();
        return 0;
    }

    // Closing the session closes every handle made from it and cancels a call in progress.
    void Abandon() {
        abandoned_ = true;
        if (session_ != nullptr) InternetCloseHandle(session_);
        session_ = nullptr;
    }

    bool Abandoned() {
        EnterCriticalSection(&lock_);
        const bool abandoned = abandoned_;
        LeaveCriticalSection(&lock_);
        return abandoned;
    }

    void Work() {
        const HINTERNET session = InternetOpenA(request_.agent.c_str(),
                                                INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
        if (session == nullptr) return;
        EnterCriticalSection(&lock_);
        const bool adopted = !abandoned_;
        if (adopted) session_ = session;
        LeaveCriticalSection(&lock_);
        if (!adopted) {
            InternetCloseHandle(session);
            return;
        }
        for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                                   INTERNET_OPTION_RECEIVE_TIMEOUT}) {
            DWORD value = timeLimit_;
            InternetSetOptionA(session, option, &value, sizeof value);
        }

        if (request_.kind == TransferRequest::Kind::Answer)
            OpenAddress(session);
        else
            Get(session);

        // A session the caller closed is not closed again: its handle may name another by now.
        EnterCriticalSection(&lock_);
        if (!abandoned_) InternetCloseHandle(session_);
        session_ = nullptr;
        LeaveCriticalSection(&lock_);
    }

    void OpenAddress(HINTERNET session) {
        const HINTERNET page =
            InternetOpenUrlA(session, request_.url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
        if (page == nullptr || Abandoned()) return;
        EnterCriticalSection(&lock_);
        result_.answered = true;
        LeaveCriticalSection(&lock_);
        InternetCloseHandle(page);
    }

    void Get(HINTERNET session) {
        char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
        std::vector<char> path(request_.url.size() + 1, '\0');
        std::vector<char> query(request_.url.size() + 1, '\0');
        URL_COMPONENTSA parts{};
        parts.dwStructSize = sizeof parts;
        parts.lpszHostName = host;
        parts.dwHostNameLength = sizeof host;
        parts.lpszUrlPath = path.data();
        parts.dwUrlPathLength = static_cast<DWORD>(path.size());
        parts.lpszExtraInfo = query.data();
        parts.dwExtraInfoLength = static_cast<DWORD>(query.size());
        if (!InternetCrackUrlA(request_.url.c_str(), 0, 0, &parts)) return;
        // The query goes to the server; a fragment is the browser's business.
        std::string target(path.data(), parts.dwUrlPathLength);
        if (target.empty()) target.push_back('/');
        const std::string extra(query.data(), parts.dwExtraInfoLength);
        target += extra.substr(0, extra.find('#'));

        const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
        const HINTERNET connection = InternetConnectA(session, host, parts.nPort, nullptr, nullptr,
                                                      INTERNET_SERVICE_HTTP, 0, 0);
        if (connection == nullptr || Abandoned()) return;
        const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                            (secure ? INTERNET_FLAG_SECURE : 0);
        const HINTERNET page = HttpOpenRequestA(connection, "GET", target.c_str(), "HTTP/1.0",
                                                nullptr, nullptr, flags, 0);
        if (page == nullptr || Abandoned()) return;
        static const char kAccept[] = "Accept: */*";
        if (!HttpSendRequestA(page, kAccept, static_cast<DWORD>(sizeof kAccept - 1), nullptr, 0))
            return;
        Read(page);
    }

    void Read(HINTERNET page) {
        char buffer[16384];
        for (;;) {
            EnterCriticalSection(&lock_);
            const std::size_t room = abandoned_ ? 0 : request_.maxBytes - result_.bytes.size();
            LeaveCriticalSection(&lock_);
            if (room == 0) return;
            DWORD count = 0;
            const DWORD wanted = static_cast<DWORD>(std::min(room, sizeof buffer));
            if (!InternetReadFile(page, buffer, wanted, &count) || count == 0) return;
            EnterCriticalSection(&lock_);
            if (!abandoned_) result_.bytes.insert(result_.bytes.end(), buffer, buffer + count);
            LeaveCriticalSection(&lock_);
        }
    }

    TransferRequest request_;
    DWORD timeLimit_;
    CRITICAL_SECTION lock_;
    HANDLE finished_ = nullptr;
    LONG references_ = 1;
    bool abandoned_ = false;
    HINTERNET session_ = nullptr;
    TransferResult result_;
};

}  // namespace

TransferResult RunTransfer(const TransferRequest& request, std::chrono::milliseconds timeLimit) {
    if (timeLimit.count() <= 0) return {};
    const DWORD limit = static_cast<DWORD>(std::min<long long>(timeLimit.count(), 0x7FFFFFFF));
    auto* transfer = new Transfer(request, limit);
    if (!transfer->Start()) {
        transfer->Release();
        return {};
    }
    TransferResult result = transfer->Wait();
    transfer->Release();
    return result;
}

}  // namespace win32
