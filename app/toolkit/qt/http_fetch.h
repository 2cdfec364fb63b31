#pragma once

#include <QByteArray>
#include <QUrl>
#include <chrono>

#include "toolkit/services.h"

// Blocking HTTP on the GUI thread through a local event loop. User input is held back while
// waiting, as start-up is meant to be synchronous; every wait has a hard time limit so that a
// server which accepts and never answers cannot freeze the window.

using services::FetchLimits;

// One GET with the agent and no caching. Returns the bytes received before
// the end, an error, the time limit or the size cap, whichever comes first; never the status.
// Addresses other than http and https give no bytes.
QByteArray FetchBytes(const QUrl& url, const FetchLimits& limits, const char* agent);

// True when a server answers a request for the address at all (any HTTP status) in time.
bool AnswersRequest(const QUrl& url, std::chrono::milliseconds timeLimit, const char* agent);
