#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

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

// The top menus of the main window an operator may use. 系统(&1) is everyone's (its exit item);
// its settings items are the 管理员's alone.
QSet<QString> allowedMenus(const QString &role, const QString &permissions);
bool allowsSettings(const QString &role);

} // namespace frame
