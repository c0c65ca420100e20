#include "support/temp_database.h"

#include <QFile>

void TempDatabaseTest::SetUp()
{
    ASSERT_TRUE(dir.isValid());
    file = dir.filePath(QStringLiteral("t.mdb"));
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    ASSERT_TRUE(db.open(file));
}
