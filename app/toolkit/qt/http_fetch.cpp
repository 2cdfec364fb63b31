#include "toolkit/qt/http_fetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace {

bool IsHttpAddress(const QUrl& url) {
    return url.isValid() && (url.scheme() == u"http" || url.scheme() == u"https") &&
           !url.host().isEmpty();
}

QNetworkRequest FreshRequest(const QUrl& url, const char* agent,
                             std::chrono::milliseconds timeLimit) {
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(agent));
    request.setRawHeader("Accept", "*/*");
    // Always from the server, and nothing kept (sends "Cache-Control: no-cache" too).
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setTransferTimeout(static_cast<int>(timeLimit.count()));
    return request;
}

// A local loop that ends on the reply's end or at the time limit; user input waits meanwhile.
class LimitedWait {
  public:
    LimitedWait(QNetworkReply* reply, std::chrono::milliseconds timeLimit) {
        deadline_.setSingleShot(true);
        QObject::connect(&deadline_, &QTimer::timeout, &loop_, &QEventLoop::quit);
        QObject::connect(reply, &QNetworkReply::finished, &loop_, &QEventLoop::quit);
        deadline_.start(timeLimit);
    }
    void Stop() { loop_.quit(); }
    void Run() { loop_.exec(QEventLoop::ExcludeUserInputEvents); }

  private:
    QEventLoop loop_;
    QTimer deadline_;
};

// Stops the transfer without letting its last signals reach objects about to go away.
void Discard(QNetworkReply* reply) {
    reply->disconnect();
    reply->abort();
    delete reply;
}

}  // namespace

QByteArray FetchBytes(const QUrl& url, const FetchLimits& limits, const char* agent) {
    const auto maxBytes = static_cast<qsizetype>(limits.maxBytes);
    if (!IsHttpAddress(url) || maxBytes <= 0) return {};
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(FreshRequest(url, agent, limits.timeLimit));
    reply->setReadBufferSize(maxBytes);

    LimitedWait wait(reply, limits.timeLimit);
    QByteArray body;
    auto take = [&] {
        body += reply->read(maxBytes - body.size());
        // Enough: stopping here is the same as the server ending the page here.
        if (body.size() >= maxBytes) wait.Stop();
    };
    QObject::connect(reply, &QNetworkReply::readyRead, take);
    if (!reply->isFinished()) wait.Run();
    if (body.size() < maxBytes) take();
    Discard(reply);
    return body;
}

bool AnswersRequest(const QUrl& url, std::chrono::milliseconds timeLimit, const char* agent) {
    if (!IsHttpAddress(url)) return false;
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(FreshRequest(url, agent, timeLimit));
    LimitedWait wait(reply, timeLimit);
    // The status line is enough; the body is not needed.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, [&] { wait.Stop(); });
    if (!reply->isFinished()) wait.Run();
    const bool answered = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
    Discard(reply);
    return answered;
}
