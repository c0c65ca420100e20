#include "support/program_dir_fixture.h"
#include "platform/recordset.h"
#include "platform/list_view.h"
#include "platform/text_conversions.h"
#include "frame/db_access.h"
#include <QElapsedTimer>
#include <QTreeWidget>
class Bench : public ProgramDirTest {};
TEST_F(Bench, Split)
{
    sql("main.mdb", "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) INSERT INTO 检货临时库 (检货号, 检货员, 检货时间, 货物名称, 实际件数, 实际重量, 实际体积, 计抛否, 计抛重量) SELECT printf('JH%07d', i), '王五', '2026-03-05 08:05:03', '货物', i, 2 * i, 3, '否', 0 FROM n");
    QElapsedTimer t; t.start();
    platform::Database db; db.open(frame::dataFilePath("main.mdb"));
    platform::Recordset rs; rs.attach(db); rs.openTable("检货临时库"); rs.moveFirst();
    printf("open %lld\n", t.elapsed());
    QList<QStringList> data;
    for (int i = 0; i < rs.recordCount(); ++i) {
        data.append({rs.readText("检货号"), platform::valueToText(rs.readDateTime("检货时间")), rs.readText("货物名称"),
            platform::valueToText(rs.readInt("实际件数")), platform::valueToText(rs.readInt("实际重量")), platform::valueToText(rs.readInt("实际体积")),
            rs.readText("计抛否"), platform::valueToText(rs.readInt("计抛重量"))});
        rs.moveNext();
    }
    printf("read %lld\n", t.elapsed());
    QTreeWidget list; platform::listViewSetColumns(&list, {{"a",1},{"b",1},{"c",1},{"d",1},{"e",1},{"f",1},{"g",1},{"h",1}});
    list.show();
    QElapsedTimer t2; t2.start();
    for (const QStringList &r : data) { int row = platform::listViewAddRow(&list, r[0]); for (int c = 1; c < 8; ++c) platform::listViewSetCell(&list, row, c, r[c]); }
    printf("fill %lld\n", t2.elapsed());
    t2.restart(); platform::listViewClear(&list); printf("clear %lld\n", t2.elapsed());
}
