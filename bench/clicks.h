#pragma once

#include "measure.h"
#include "raw_sqlite.h"
#include "volume.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>

namespace bench {

class Desk;

// Raw connections to one volume's data files.
struct RawFiles {
    explicit RawFiles(const QString &programDirectory);
    RawDb main;     // main.mdb, with system.mdb attached as sys
    RawDb business; // ywzhxx.mdb, with main.mdb as mainmdb and system.mdb as sys
    RawDb system;   // system.mdb
};

// One operator click: the program's run through the real windows beside the raw floor, the same
// rows read or written straight through SQLite.
struct Click {
    const char *name;
    std::function<void()> setup; // once before the runs, untimed
    Step program;
    Step raw;
    std::function<int()> rows;  // the rows the click reads or writes, counted in the tables
    std::function<int()> shown; // the rows its window lists after the runs; empty for a save
    std::function<void()> teardown;
    std::shared_ptr<void> owner; // what the steps refer to, kept while the click lives
};

// Every timed click in the order they run. A run whose messages differ from the expected ones is
// written to problems.
QList<Click> operatorClicks(Desk &desk, RawFiles &raw, QStringList &problems);

} // namespace bench
