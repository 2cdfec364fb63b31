#pragma once

#include <QByteArray>
#include <string>

// The whole file at path (8-bit system text); empty when it cannot be read.
QByteArray ReadWholeFile(const std::string& path);

// Creates or truncates the file at path and writes bytes into it.
bool WriteWholeFile(const std::string& path, const QByteArray& bytes);
