#pragma once

#include <QList>
#include <QString>

namespace platform {

// A UTF-8 ini file with [section] headers and key=value lines, kept in its own order so that an
// edit leaves the rest of the file as the operator wrote it.
class IniFile
{
public:
    explicit IniFile(QString path);

    QString value(const QString &section, const QString &key, const QString &fallback = {}) const;
    // Writes the whole file at once (writeFileAtomically); false, with the file and the values
    // read unchanged, when it cannot be written.
    bool setValue(const QString &section, const QString &key, const QString &value);

private:
    QString m_path;
    QList<QString> m_lines;
};

} // namespace platform
