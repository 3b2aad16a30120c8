// Creates a fresh database file at the given path when none exists there.
// An existing file is never touched.
#include "platform/db/Connection.h"

#include <QFile>
#include <QString>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qvx_dbinit <database file> [schema.sql]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString schemaPath = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(QVX_SCHEMA_SQL);
    QFile schema(schemaPath);
    if (!schema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(schemaPath));
        return 1;
    }
    try {
        if (!db::Connection::createFile(path, QString::fromUtf8(schema.readAll()))) {
            std::printf("%s exists; left as it is\n", argv[1]);
            return 0;
        }
    } catch (const db::DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    std::printf("created %s\n", argv[1]);
    return 0;
}
