#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

// A named unit under a window (any pointer-like root); a missing unit fails the test.
template <typename T, typename Root> T *findUnit(const Root &root, const QString &name)
{
    T *found = root->template findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

// The shown top-level window of a class, if any: what a login or a menu item opened.
template <typename T> T *shownWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *window = qobject_cast<T *>(w); window && window->isVisible())
            return window;
    return nullptr;
}
