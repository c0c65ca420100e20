#include "platform/ini_file.h"

#include <QFile>
#include <QSaveFile>

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

bool IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    QString current;
    int sectionEnd = -1;
    bool replaced = false;
    for (int i = 0; i < m_lines.size() && !replaced; ++i) {
        if (isSection(m_lines[i], &current))
            continue;
        if (current == section) {
            if (!m_lines[i].trimmed().isEmpty())
                sectionEnd = i + 1;
            if (isKey(m_lines[i], key)) {
                m_lines[i] = key + u'=' + value;
                replaced = true;
            }
        }
    }
    if (!replaced) {
        if (sectionEnd < 0) {
            if (!m_lines.isEmpty() && m_lines.last().isEmpty())
                m_lines.removeLast();
            m_lines.append(u'[' + section + u']');
            sectionEnd = int(m_lines.size());
        }
        m_lines.insert(sectionEnd, key + u'=' + value);
    }
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QString text = m_lines.join(u'\n');
    if (!text.endsWith(u'\n'))
        text += u'\n';
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace platform
