#include "notice_server.h"

#include <QFile>
#include <QTcpServer>

NoticeServer::NoticeServer() {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral("/usr/bin/python3"),
                   {QStringLiteral(NOTICE_SERVER_SCRIPT), folder_.path()});
    if (!process_.waitForStarted(10000)) return;
    while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
    }
    port_ = process_.readLine().trimmed().toInt();
}

NoticeServer::~NoticeServer() {
    process_.kill();
    process_.waitForFinished(5000);
}

void NoticeServer::Put(const QString& name, const QByteArray& body) {
    QFile file(folder_.filePath(name));
    if (file.open(QIODevice::WriteOnly)) file.write(body);
}

QUrl NoticeServer::Url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port_).arg(path));
}

QByteArray NoticeServer::Requests() const {
    QFile file(folder_.filePath(QStringLiteral("requests.log")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QUrl ClosedPortUrl(const QString& path) {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(path));
}
