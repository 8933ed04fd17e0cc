#include "drivers/SymbolTables.h"

#include "core/FileSave.h"
#include "core/LineFile.h"
#include "core/TextFields.h"

namespace {
QStringList linesOf(const QString& programFolder, const QString& name)
{
    const QString path = FindFileNoCase(FindFileNoCase(programFolder, QStringLiteral("data")), name);
    return LineReader::ReadLines(path, nullptr).value_or(QStringList());
}
} // namespace

SymbolTables SymbolTables::load(const QString& programFolder, const QString& suffix)
{
    SymbolTables tables;
    for (const QString& line : linesOf(programFolder, QStringLiteral("lokmodel.") + suffix)) {
        tables.LokModelle.push_back({line});
    }
    for (const QString& line : linesOf(programFolder, QStringLiteral("Lokfuntion.") + suffix)) {
        if (!line.isEmpty()) {
            tables.LokFunktionen.push_back({Columns(line, 1, 4), ColumnsFrom(line, 6)});
        }
    }
    return tables;
}
