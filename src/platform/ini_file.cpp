#include "platform/ini_file.h"

#include "platform/atomic_file.h"

#include <QFile>

namespace platform {

namespace {

bool isSection(const QString &line, QString *name = nullptr)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'[') || !t.endsWith(u']'))
        return false;
    if (name)
        *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool isKey(const QString &line, const QString &key, QString *value = nullptr)
{
    const int eq = line.indexOf(u'=');
    if (eq < 0 || line.left(eq).trimmed() != key)
        return false;
    if (value)
        *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path))
{
    QFile file(m_path);
    if (file.open(QIODevice::ReadOnly))
        m_lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (QString &line : m_lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
}

QString IniFile::value(const QString &section, const QString &key, const QString &fallback) const
{
    QString current, found;
    for (const QString &line : m_lines) {
        if (isSection(line, &current))
            continue;
        if (current == section && isKey(line, key, &found))
            return found;
    }
    return fallback;
}

// The lines change only once the file holding them is written, so a failed write leaves both as
// they were.
bool IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    QList<QString> lines = m_lines;
    QString current;
    int sectionEnd = -1;
    bool replaced = false;
    for (int i = 0; i < lines.size() && !replaced; ++i) {
        if (isSection(lines[i], &current)) {
            // A section of no keys yet takes the key right below its header.
            if (current == section)
                sectionEnd = i + 1;
            continue;
        }
        if (current == section) {
            if (!lines[i].trimmed().isEmpty())
                sectionEnd = i + 1;
            if (isKey(lines[i], key)) {
                lines[i] = key + u'=' + value;
                replaced = true;
            }
        }
    }
    if (!replaced) {
        if (sectionEnd < 0) {
            if (!lines.isEmpty() && lines.last().isEmpty())
                lines.removeLast();
            lines.append(u'[' + section + u']');
            sectionEnd = int(lines.size());
        }
        lines.insert(sectionEnd, key + u'=' + value);
    }
    QString text = lines.join(u'\n');
    if (!text.endsWith(u'\n'))
        text += u'\n';
    if (!writeFileAtomically(m_path, text.toUtf8()))
        return false;
    m_lines = lines;
    return true;
}

} // namespace platform
