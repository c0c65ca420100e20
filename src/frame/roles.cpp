#include "frame/roles.h"

#include <QHash>

namespace frame {

namespace {

// Which top menu each permission word opens.
const QHash<QString, QString> &menuOfWord()
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("受理"), QStringLiteral("受理(&2)")},
        {QStringLiteral("查询"), QStringLiteral("查询(&3)")},
        {QStringLiteral("检货"), QStringLiteral("检货处(&4)")},
        {QStringLiteral("仓库"), QStringLiteral("仓库(&5)")},
        {QStringLiteral("调度"), QStringLiteral("调度(&6)")},
        {QStringLiteral("人资"), QStringLiteral("人资后勤(&7)")},
        {QStringLiteral("后勤"), QStringLiteral("人资后勤(&7)")},
        {QStringLiteral("市场"), QStringLiteral("市场部(&8)")},
    };
    return table;
}

} // namespace

const QStringList &roleNames()
{
    static const QStringList names = {QStringLiteral("管理员"),   QStringLiteral("业务主管"),
                                      QStringLiteral("市场主管"), QStringLiteral("人事主管"),
                                      QStringLiteral("内务主管"), postOperatorRole};
    return names;
}

const QStringList &permissionWords()
{
    static const QStringList words = {QStringLiteral("受理"), QStringLiteral("查询"), QStringLiteral("检货"),
                                      QStringLiteral("仓库"), QStringLiteral("调度"), QStringLiteral("人资"),
                                      QStringLiteral("后勤"), QStringLiteral("市场")};
    return words;
}

QStringList rolePresetWords(const QString &role)
{
    static const QHash<QString, QStringList> presets = {
        {QStringLiteral("管理员"), permissionWords()},
        {QStringLiteral("业务主管"),
         {QStringLiteral("受理"), QStringLiteral("查询"), QStringLiteral("检货"), QStringLiteral("仓库"),
          QStringLiteral("调度")}},
        {QStringLiteral("市场主管"), {QStringLiteral("市场")}},
        {QStringLiteral("人事主管"), {QStringLiteral("人资")}},
        {QStringLiteral("内务主管"), {QStringLiteral("后勤")}},
    };
    return presets.value(role);
}

QSet<QString> grantedWords(const QString &role, const QString &permissions)
{
    const QStringList words = role == postOperatorRole ? permissions.split(u'&') : rolePresetWords(role);
    return QSet<QString>(words.cbegin(), words.cend());
}

QSet<QString> allowedMenus(const QString &role, const QString &permissions)
{
    QSet<QString> menus = {QStringLiteral("系统(&1)")};
    for (const QString &word : grantedWords(role, permissions))
        if (menuOfWord().contains(word))
            menus.insert(menuOfWord().value(word));
    return menus;
}

bool allowsSettings(const QString &role)
{
    return role == administratorRole;
}

} // namespace frame
