#pragma once

#include <QString>
#include <QStringList>

namespace frame {

// The seven database files of the program directory's data folder.
const QStringList &databaseFileNames();

// Creates what is missing of the installed program directory: the data folder with its seven
// database files, their tables and default rows, the fixed folders and files. Never changes or
// removes anything that exists. Returns false with a reason when something cannot be made.
bool createInstalledData(const QString &programDirectory, QString *error = nullptr);

} // namespace frame
