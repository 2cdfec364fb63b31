#include "notice/notice_page.h"

#include <QStringDecoder>

#include "notice/interim_text.h"

namespace {

// "真" in GBK.
constexpr char kTrueWord[] = "\xD5\xE6";

}  // namespace

NoticePage ReadNoticePage(const QByteArray& body) {
    const QByteArray text = body.left(body.indexOf('\0') < 0 ? body.size() : body.indexOf('\0'));
    const QList<QByteArray> fields = SplitLines(text, "|<br>");

    QByteArray values[kNoticeFieldCount];
    int count = 0;
    while (count < kNoticeFieldCount && count < fields.size()) {
        const QList<QByteArray> pieces = SplitLines(fields[count], "=");
        if (pieces.size() < 2) break;
        values[count++] = pieces[1];
    }

    NoticePage page;
    page.valueCount = count;
    page.windowCaption = values[0];
    page.latestVersion = values[1];
    page.link = values[2];
    page.author = values[3];
    page.updateLog = values[4];
    page.mandatoryUpdate = values[5] == kTrueWord;
    return page;
}

QString FromGbk(const QByteArray& bytes) {
    QStringDecoder decoder("GBK");
    if (!decoder.isValid()) return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}
