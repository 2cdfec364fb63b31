#include "batch/file_bytes.h"

#include <QFile>

namespace {

QString FileName(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

}  // namespace

QByteArray ReadWholeFile(const std::string& path) {
    // A folder of that name (a line such as "sub" beside a folder "sub.jpg") reads as nothing.
    QFile file(FileName(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

bool WriteWholeFile(const std::string& path, const QByteArray& bytes) {
    QFile file(FileName(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(bytes) == bytes.size();
}
