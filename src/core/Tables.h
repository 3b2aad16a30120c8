#pragma once

#include <QStringList>

// The fixed tables built at the end of start-up (see Globals.h).
void InitDenpyoListColumns();
void InitDenpyoKensakuItems();
void InitCustomerKensakuItems();
void InitShohinKensakuItems();

// One search item split into its five fields.
struct KensakuItemSpec {
    QString parentKey, nodeKey, caption, inputKind, column;
    static KensakuItemSpec parse(const QString &text);
};
