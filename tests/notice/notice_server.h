#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

// A real HTTP server on 127.0.0.1 in its own process, serving the pages a test writes.
class NoticeServer {
  public:
    NoticeServer();
    ~NoticeServer();

    bool IsRunning() const { return port_ > 0; }
    void Put(const QString& name, const QByteArray& body);
    QUrl Url(const QString& path) const;  // path starts with "/"
    QByteArray Requests() const;          // request lines and headers seen so far

  private:
    QTemporaryDir folder_;
    QProcess process_;
    int port_ = 0;
};

// A port on 127.0.0.1 where nothing listens, so a connection is refused at once.
QUrl ClosedPortUrl(const QString& path);
