// The services of the Linux program that need the toolkit: text, dialogs, the browser, HTTP,
// the fatal message and the clock's formatting.
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QUrl>
#include <cstdio>
#include <cstdlib>

#include "text/code_page.h"
#include "toolkit/qt/date_time_format.h"
#include "toolkit/qt/http_fetch.h"
#include "toolkit/services.h"

namespace services {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

ui::Bytes ToBytes(const QByteArray& bytes) {
    return ui::Bytes(bytes.begin(), bytes.end());
}

bool HasInteractiveDisplay() {
    if (QGuiApplication::instance() == nullptr) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

}  // namespace

// The system code page is UTF-8 here, as it is for the controls.
std::string ToSystem8Bit(const std::string& utf8) {
    return utf8;
}

std::string FromSystem8Bit(std::string_view bytes) {
    return std::string(bytes);
}

std::string FromGbk(std::string_view bytes) {
    const QByteArray data(bytes.data(), qsizetype(bytes.size()));
    QStringDecoder decoder("GBK");
    if (!decoder.isValid()) return QString::fromLatin1(data).toStdString();
    return QString(decoder.decode(data)).toStdString();
}

std::string ChooseFolder(const std::string& title) {
    QWidget* owner = QApplication::activeWindow();
    // Modal to the application: every other window of the program is disabled meanwhile.
    return QFileDialog::getExistingDirectory(owner, FromUtf8(title), QString(),
                                             QFileDialog::ShowDirsOnly)
        .toStdString();
}

MessageAnswer ShowMessage(const std::string& caption, const std::string& text,
                          MessageButtons buttons) {
    QMessageBox box(
        QMessageBox::NoIcon, FromUtf8(caption), FromUtf8(text),
        buttons == MessageButtons::Ok ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel);
    box.setTextFormat(Qt::PlainText);  // a change log may hold markup; it is shown as written
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

void OpenInBrowser(const std::string& address) {
    QDesktopServices::openUrl(QUrl(FromUtf8(address), QUrl::StrictMode));
}

ui::Bytes HttpGet(const std::string& url, const char* agent, const FetchLimits& limits) {
    return ToBytes(FetchBytes(QUrl(FromUtf8(url)), limits, agent));
}

bool HttpAnswers(const std::string& url, const char* agent, std::chrono::milliseconds timeLimit) {
    return AnswersRequest(QUrl(FromUtf8(url)), timeLimit, agent);
}

void ShowFatalErrorAndExit(const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "%s\n", ToSystem8Bit(text).c_str());
    std::fflush(stderr);
    if (HasInteractiveDisplay()) QMessageBox::critical(nullptr, FromUtf8(caption), FromUtf8(text));
    // The program ends here, in the middle of a handler: nothing is left to save.
    std::_Exit(EXIT_FAILURE);
}

double CurrentDateTimeValue() {
    return ::CurrentDateTimeValue();
}

std::optional<SystemTime> ToSystemTime(double value) {
    return BreakDownDateTime(value);
}

std::string FormatDate(const SystemTime& time, const std::string& picture) {
    return FormatDatePicture(time, FromUtf8(picture), QLocale::system()).toStdString();
}

std::string FormatTime(const SystemTime& time, const std::string& picture, bool force24Hour) {
    return FormatTimePicture(time, FromUtf8(picture), force24Hour, QLocale::system()).toStdString();
}

std::string DesktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation).toStdString() + '/';
}

}  // namespace services

CodePage SystemCodePage() {
    return CodePage::Utf8;
}
