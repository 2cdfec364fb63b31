// One start of the window program under test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "waiting.h"

namespace ui_client {

// Where the notice step of the program looks; passed through its environment.
struct NoticeAddresses {
    std::string online;  // QRBATCH_ONLINE_URL
    std::string page;    // QRBATCH_NOTICE_URL
    std::string logo;    // QRBATCH_LOGO_URL
};

// Every address on a port where nothing listens: the notice step ends at once.
NoticeAddresses OfflineAddresses(const std::string& closedBase);

class Program {
  public:
    Program() = default;
    // A program still running when its scenario ends is ended, so that no later scenario
    // finds its windows.
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The program's standard output and error are appended to outputFile; arguments follow
    // the program's quoted path on its command line as they stand.
    bool Start(const std::wstring& executable, const NoticeAddresses& addresses,
               const std::wstring& outputFile, const std::wstring& arguments = {});
    DWORD Id() const { return id_; }
    bool Running() const;
    // The exit code; nullopt when the program still runs after the limit.
    std::optional<DWORD> WaitForExit(double limitSeconds);
    double SecondsSinceStart() const { return sinceStart_.Seconds(); }

  private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    Stopwatch sinceStart_;
};

}  // namespace ui_client
