#include "frame/roles.h"

#include <QHash>

#include <algorithm>

namespace frame {

namespace {

// Who may use each gated unit of the main window: a top menu by its title, a menu item by its
// unit name. A unit opens when the operator holds any of its words (no words: every operator).
// An item without a row follows its menu, so an item narrower than its menu needs a row: in
// 人资后勤 the back-office items take 后勤, the staff and payroll items 人资.
struct Gate {
    QString unit;
    QStringList words;
    bool administratorOnly = false;
};

const QList<Gate> &gates()
{
    static const QList<Gate> table = {
        {QStringLiteral("系统(&1)"), {}},
        {QStringLiteral("菜单_系统_操作员管理"), {}, true},
        {QStringLiteral("受理(&2)"), {QStringLiteral("受理")}},
        {QStringLiteral("查询(&3)"), {QStringLiteral("查询")}},
        {QStringLiteral("检货处(&4)"), {QStringLiteral("检货")}},
        {QStringLiteral("仓库(&5)"), {QStringLiteral("仓库")}},
        {QStringLiteral("调度(&6)"), {QStringLiteral("调度")}},
        {QStringLiteral("人资后勤(&7)"), {QStringLiteral("人资"), QStringLiteral("后勤")}},
        {QStringLiteral("菜单_人资后勤_后勤支出"), {QStringLiteral("后勤")}},
        {QStringLiteral("市场部(&8)"), {QStringLiteral("市场")}},
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

std::optional<bool> unitAllowed(const QString &unit, const QString &role, const QString &permissions)
{
    const auto gate = std::find_if(gates().cbegin(), gates().cend(), [&unit](const Gate &g) { return g.unit == unit; });
    if (gate == gates().cend())
        return std::nullopt;
    if (gate->administratorOnly)
        return role == administratorRole;
    if (gate->words.isEmpty())
        return true;
    const QSet<QString> held = grantedWords(role, permissions);
    return std::any_of(gate->words.cbegin(), gate->words.cend(),
                       [&held](const QString &word) { return held.contains(word); });
}

QStringList gatedUnits()
{
    QStringList units;
    for (const Gate &gate : gates())
        units.append(gate.unit);
    return units;
}

} // namespace frame
