#include "printing/OwnCompanyInfo.h"

#include "core/BasicInfo.h"
#include "printing/clsReportPrint.h"

#include <iterator>

const OwnCompanyKey kOwnCompanyKeys[21] = {
    {"MyName", u"自社会社名", false},
    {"MyPostNumber", u"自社郵便番号", false},
    {"MyAddress1", u"自社所在地１", false},
    {"MyAddress2", u"自社所在地２", false},
    {"MyPhone", u"自社電話番号", false},
    {"MyFax", u"自社FAX番号", false},
    {"MyHomePage", u"自社ホームページ", false},
    {"MyMail", u"自社メール", false},
    {"MyTourokuBango", u"自社登録番号", false},
    {"MyKoza1Ginko", u"自社振込口座１銀行", false},
    {"MyKoza1Shiten", u"自社振込口座１支店", false},
    {"MyKoza1Shurui", u"自社振込口座１種類", true},
    {"MyKoza1Number", u"自社振込口座１番号", false},
    {"MyKoza2Ginko", u"自社振込口座２銀行", false},
    {"MyKoza2Shiten", u"自社振込口座２支店", false},
    {"MyKoza2Shurui", u"自社振込口座２種類", true},
    {"MyKoza2Number", u"自社振込口座２番号", false},
    {"MyKoza3Ginko", u"自社振込口座３銀行", false},
    {"MyKoza3Shiten", u"自社振込口座３支店", false},
    {"MyKoza3Shurui", u"自社振込口座３種類", true},
    {"MyKoza3Number", u"自社振込口座３番号", false},
};

QString fnKozaShuruiText(qint32 value)
{
    return value == 0 ? QStringLiteral("当座") : QStringLiteral("普通");
}

void SetOwnCompanyPageData(clsReportPrint &report)
{
    BasicInfo info;
    QString texts[std::size(kOwnCompanyKeys)];
    qint32 numbers[std::size(kOwnCompanyKeys)] = {};
    for (std::size_t i = 0; i < std::size(kOwnCompanyKeys); ++i) {
        info.Initialize();
        info.Load(QString::fromLatin1(kOwnCompanyKeys[i].key));
        texts[i] = info.StringValue();
        numbers[i] = info.LongValue();
    }
    // An account's type prints only with the account: a type is always
    // stored, also for the accounts nobody filled in.
    const auto accountSet = [&texts](const char *typeKey) {
        const QByteArray account = QByteArray(typeKey).chopped(qstrlen("Shurui"));
        for (std::size_t i = 0; i < std::size(kOwnCompanyKeys); ++i)
            if (!kOwnCompanyKeys[i].accountType && QByteArray(kOwnCompanyKeys[i].key).startsWith(account)
                && !texts[i].isEmpty())
                return true;
        return false;
    };
    for (std::size_t i = 0; i < std::size(kOwnCompanyKeys); ++i) {
        const OwnCompanyKey &k = kOwnCompanyKeys[i];
        const QString item = QString::fromUtf16(k.item);
        if (!k.accountType)
            report.SetPageData(item, texts[i]);
        else
            report.SetPageData(item, accountSet(k.key) ? fnKozaShuruiText(numbers[i]) : QString());
    }
}
