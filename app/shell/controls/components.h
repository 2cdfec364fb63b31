#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

// Invisible components of the window. They are hidden widgets only so that the window
// description can hold them beside the visible controls; they are never drawn.

// Raises tick every interval milliseconds from creation; an interval of 0 or less stops it.
class Timer : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int interval READ interval WRITE setInterval)
  public:
    explicit Timer(QWidget* parent = nullptr);

    int interval() const { return interval_; }
    void setInterval(int milliseconds);

  signals:
    void tick();

  private:
    QTimer timer_;
    int interval_ = 0;
};

// The settings of the system's file dialog and, after a confirmed Show, the chosen file name.
class SaveFileDialog : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool saveType MEMBER saveType)
    Q_PROPERTY(QString title MEMBER title)
    Q_PROPERTY(QString fileName MEMBER fileName)
    Q_PROPERTY(QString nameFilter MEMBER nameFilter)
    Q_PROPERTY(int filterIndex MEMBER filterIndex)
    Q_PROPERTY(QString initialFolder MEMBER initialFolder)
    Q_PROPERTY(QString defaultSuffix MEMBER defaultSuffix)
    Q_PROPERTY(bool confirmOverwrite MEMBER confirmOverwrite)
    Q_PROPERTY(bool pathMustExist MEMBER pathMustExist)
    Q_PROPERTY(bool fileMustExist MEMBER fileMustExist)
    Q_PROPERTY(bool hideReadOnly MEMBER hideReadOnly)
  public:
    explicit SaveFileDialog(QWidget* parent = nullptr);

    // Shows the dialog modally over owner; true when the user confirmed a file name.
    bool Show(QWidget* owner);

    // uic assigns properties through setters; these forward to the members above.
    void setSaveType(bool value) { saveType = value; }
    void setTitle(const QString& value) { title = value; }
    void setFileName(const QString& value) { fileName = value; }
    void setNameFilter(const QString& value) { nameFilter = value; }
    void setFilterIndex(int value) { filterIndex = value; }
    void setInitialFolder(const QString& value) { initialFolder = value; }
    void setDefaultSuffix(const QString& value) { defaultSuffix = value; }
    void setConfirmOverwrite(bool value) { confirmOverwrite = value; }
    void setPathMustExist(bool value) { pathMustExist = value; }
    void setFileMustExist(bool value) { fileMustExist = value; }
    void setHideReadOnly(bool value) { hideReadOnly = value; }

    bool saveType = true;
    QString title;
    QString fileName;
    QString nameFilter;
    int filterIndex = 1;
    QString initialFolder;
    QString defaultSuffix;
    bool confirmOverwrite = true;
    bool pathMustExist = true;
    bool fileMustExist = true;
    bool hideReadOnly = true;
};
