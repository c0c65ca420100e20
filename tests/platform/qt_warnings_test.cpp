#include "support/qt_warnings.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

// The rule every test binary runs under: a Qt warning fails the test unless it is expected.
TEST(QtWarnings, AnUnexpectedWarningFailsTheTest)
{
    EXPECT_NONFATAL_FAILURE(qWarning("没有字段: 编码"), "没有字段: 编码");
    EXPECT_NONFATAL_FAILURE(qCritical("坏了"), "坏了");
}

TEST(QtWarnings, AnExpectedWarningIsSwallowedAndAMissingOneFails)
{
    {
        const ExpectQtWarning outer(QStringLiteral("甲"));
        const ExpectQtWarning inner(QStringLiteral("乙"));
        qWarning("乙 came");
        qWarning("甲 came");
        EXPECT_NONFATAL_FAILURE(qWarning("丙 came"), "丙 came");
    }
    EXPECT_NONFATAL_FAILURE({ const ExpectQtWarning guard(QStringLiteral("丁")); }, "丁");
}
