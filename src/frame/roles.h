#pragma once

#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace frame {

// The six roles (级别) and the eight permission words (权限), in their fixed orders.
const QStringList &roleNames();
const QStringList &permissionWords();
inline const QString postOperatorRole = QStringLiteral("岗位操作员");
inline const QString administratorRole = QStringLiteral("管理员");

// The words a preset role stands for; empty for 岗位操作员 and for unknown roles.
QStringList rolePresetWords(const QString &role);

// The permission words an operator holds: the role's preset, or for 岗位操作员 its own words.
QSet<QString> grantedWords(const QString &role, const QString &permissions);

// Whether the operator may use a unit of the main window: a top menu by its title, a menu item
// by its unit name. No value when the unit has no gate of its own; an item then follows its menu.
std::optional<bool> unitAllowed(const QString &unit, const QString &role, const QString &permissions);
// Every unit that has a gate of its own.
QStringList gatedUnits();

} // namespace frame
