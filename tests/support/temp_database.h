#pragma once

#include "platform/database.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

// An empty database file of its own for each test, open on db.
class TempDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override;

    QTemporaryDir dir;
    QString file;
    platform::Database db;
};
