#pragma once

#include "frame/session.h"
#include "platform/database.h"
#include "platform/message_box.h"
#include "platform/program_end.h"

#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

// A fresh installed program directory for each test, made by the program's own data creation,
// with message boxes and program ends recorded instead of shown.
class ProgramDirTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    QString path(const QString &relative) const;
    // Logs an operator in without the login window: the session as a login leaves it.
    void loginAs(const QString &role, const QString &permissions = {}, const QString &name = QStringLiteral("张三"));
    // Runs a statement of test SQL on a data file, with bound values.
    void sql(const QString &file, const QString &statement, const QVariantList &values = {});
    // The first column of every row of a query on a data file, as texts.
    QStringList column(const QString &file, const QString &query, const QVariantList &values = {});
    int count(const QString &file, const QString &table);

    QTemporaryDir dir;
    platform::MessageRecorder messages;
    platform::EndRecorder ends;
};
