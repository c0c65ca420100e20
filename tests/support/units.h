#pragma once

#include <QString>
#include <gtest/gtest.h>

// A named unit under a window (any pointer-like root); a missing unit fails the test.
template <typename T, typename Root> T *findUnit(const Root &root, const QString &name)
{
    T *found = root->template findChild<T *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}
