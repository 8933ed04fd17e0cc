// The locomotive model names and function symbols the text-protocol and Central Station 2
// drivers show. Read once from the installation data when the drivers are created.
#pragma once

#include <QString>
#include <vector>

struct LOKMODELRecord {
    QString Name;
};

struct LOKFUNKTIONRecord {
    QString Code; // four characters
    QString Text;
};

struct SymbolTables {
    std::vector<LOKMODELRecord> LokModelle;       // data/lokmodel.cs1, one name per line
    std::vector<LOKFUNKTIONRecord> LokFunktionen; // data/Lokfuntion.cs1, code = 1-4, text from 6

    // A missing file leaves its table empty. `suffix` names the file pair: "cs1" reads
    // lokmodel.cs1 / Lokfuntion.cs1, "EC1" the ECoS 1 pair.
    static SymbolTables load(const QString& programFolder, const QString& suffix = QStringLiteral("cs1"));
};
