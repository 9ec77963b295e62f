#pragma once

#include <QByteArray>
#include <QString>

#include <string>

namespace zuninfo {

// A file's name as the system names it, and back (what QFile's encodeName
// and decodeName do).
inline std::string LocalName(const QString& path)
{
    return path.toLocal8Bit().toStdString();
}

inline QString FromLocalName(const std::string& name)
{
    return QString::fromLocal8Bit(QByteArray::fromStdString(name));
}

} // namespace zuninfo
