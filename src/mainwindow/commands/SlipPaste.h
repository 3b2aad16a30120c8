#pragma once

#include "model/Denpyo.h"

#include <QString>
#include <memory>
#include <vector>

// Stores pasted slips as new slips: each takes the number after the stored
// counter "CurrentDenpyoID" and is saved in its own transaction, which
// raises the counter for the next one.
struct SlipPasteResult {
    int stored = 0;
    // Empty when every slip was stored; otherwise the sentence to show,
    // which also tells how many slips were stored before the failure.
    QString failure;
};

SlipPasteResult StoreDenpyos(std::vector<std::unique_ptr<Denpyo>> &slips);

// "伝票をN件、貼り付けました。"
QString slipsPastedMessage(int count);
