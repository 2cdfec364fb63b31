#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>

// Stands in for the desktop's handlers of web, file and mail addresses while it lives, and
// records every address that reached them.
class DesktopCatcher : public QObject {
    Q_OBJECT
  public:
    DesktopCatcher();
    ~DesktopCatcher() override;

    QStringList opened;

  public slots:
    void Catch(const QUrl& url);
};
