#include "core/Startup.h"
#include "core/BasicInfo.h"
#include "core/Globals.h"
#include "core/Routines.h"
#include "core/SchemaUpgrade.h"
#include "core/Tables.h"
#include "platform/text/LineFile.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/QtTextsJa.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

constexpr int kDatabaseVersion = 5;

QString &folderOverride()
{
    static QString f;
    return f;
}

void exclamation(const QString &text)
{
    ui::showMessage(text, ui::Icon::Exclamation);
}

bool isNetworkPath(const QString &path)
{
    return path.startsWith(QLatin1String("//")) || path.startsWith(QLatin1String("\\\\"));
}

} // namespace

QString programFolder()
{
    return folderOverride().isEmpty() ? QCoreApplication::applicationDirPath() : folderOverride();
}

void setProgramFolder(const QString &folder)
{
    folderOverride() = folder;
}

void SetFolderGlobals(const QString &folder)
{
    QString p = folder;
    while (!p.isEmpty() && p.endsWith(QLatin1Char('/')))
        p.chop(1);
    gstrDatabasePath = p + QStringLiteral("/DATABASE/QVX.MDB");
    gstrTsukiSeikyushoFolder = p + QStringLiteral("/DATABASE/TsukiSeikyusho/");
    gstrDenpyoKensakuFilterFolder = p + QStringLiteral("/Define/DenpyoKensakuFilter/");
    gstrCustomerKensakuFilterFolder = p + QStringLiteral("/Define/CustomerKensakuFilter/");
    gstrShohinKensakuFilterFolder = p + QStringLiteral("/Define/ShohinKensakuFilter/");
    gstrDenpyoPrintFormFolder = p + QStringLiteral("/Define/DenpyoPrintForm/");
    gstrDenpyoListPrintFormFolder = p + QStringLiteral("/Define/DenpyoListPrintForm/");
    gstrTsukiSeikyushoPrintFormFolder = p + QStringLiteral("/Define/TsukiSeikyushoPrintForm/");
    gstrCustomerPrintFormFolder = p + QStringLiteral("/Define/CustomerPrintForm/");
    gstrCustomerListPrintFormFolder = p + QStringLiteral("/Define/CustomerListPrintForm/");
    gstrShohinPrintFormFolder = p + QStringLiteral("/Define/ShohinPrintForm/");
    gstrShohinListPrintFormFolder = p + QStringLiteral("/Define/ShohinListPrintForm/");
}

void useJapaneseSystemLocale()
{
    // Qt reads the system locale from the environment once, at its first
    // use; the C library, set up later by the application object, keeps
    // the user's own settings.
    const bool wasSet = qEnvironmentVariableIsSet("LC_ALL");
    const QByteArray previous = qgetenv("LC_ALL");
    qputenv("LC_ALL", "ja_JP.UTF-8");
    (void)QLocale::system().name();
    if (wasSet)
        qputenv("LC_ALL", previous);
    else
        qunsetenv("LC_ALL");
}

bool installQtTranslation()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return false;
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto *translator = new QTranslator(app);
    const bool loaded = translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                        && QCoreApplication::installTranslator(translator);
    if (!loaded)
        delete translator;
    // Installed last, asked first: the texts Qt's translation lacks.
    QCoreApplication::installTranslator(new ui::QtTextsJa(app));
    return loaded;
}

bool fnStartup()
{
    try {
        const QString folder = programFolder();
        if (isNetworkPath(folder)) {
            ui::showMessage(QStringLiteral("ネットワーク上のプログラムを実行することはできません。\n"
                                           "プログラムをローカルコンピュータにコピーして実行してください。"),
                            ui::Icon::Critical);
            return false;
        }
        gstrStartupDir = QDir::currentPath();
        SetFolderGlobals(folder);
        if (!fnOpenDatabase())
            return false;
        if (!fnCheckFolders())
            return false;
        InitDenpyoListColumns();
        InitDenpyoKensakuItems();
        InitCustomerKensakuItems();
        InitShohinKensakuItems();
        return true;
    } catch (const db::DbError &e) {
        ui::showMessage(QStringLiteral("%1:%2").arg(e.number()).arg(e.description()));
    } catch (const FolderError &e) {
        ui::showMessage(QStringLiteral("%1:%2").arg(e.number()).arg(e.description()));
    } catch (const text::TextFileError &e) {
        ui::showMessage(QStringLiteral("0:%1").arg(e.message()));
    } catch (const std::exception &e) {
        ui::showMessage(QStringLiteral("0:%1").arg(QString::fromLocal8Bit(e.what())));
    }
    return false;
}

bool fnOpenDatabase()
{
    if (!QFileInfo(gstrDatabasePath).isFile()) {
        exclamation(QStringLiteral("データベース(%1)が存在しません。").arg(gstrDatabasePath));
        return false;
    }
    try {
        gConnection = db::Connection::open(gstrDatabasePath);
        BasicInfo info;
        info.Initialize();
        info.Load(QStringLiteral("DatabaseVersion"));
        const qint32 version = info.LongValue();
        if (version != kDatabaseVersion) {
            exclamation(QStringLiteral("システムのバージョンとデータベースのバージョンが一致していません。\n"
                                       "システムバージョン：%1\n"
                                       "データベースバージョン：%2")
                            .arg(kDatabaseVersion)
                            .arg(version));
            return false;
        }
        UpgradeSchema(*gConnection);
    } catch (const db::DbError &e) {
        exclamation(e.description());
        return false;
    }
    return true;
}

bool fnCheckFolders()
{
    const struct {
        const QString &path;
        QString message;
    } folders[] = {
        {gstrDenpyoKensakuFilterFolder,
         QStringLiteral("伝票検索フィルターフォルダー(%1)が存在しません。").arg(gstrDenpyoKensakuFilterFolder)},
        {gstrCustomerKensakuFilterFolder, QStringLiteral("顧客検索フィルターフォルダーが存在しません。")},
        {gstrShohinKensakuFilterFolder, QStringLiteral("商品検索フィルターフォルダーが存在しません。")},
        {gstrDenpyoPrintFormFolder, QStringLiteral("伝票印刷フォームフォルダーが存在しません。")},
        {gstrDenpyoListPrintFormFolder, QStringLiteral("伝票リスト印刷フォームフォルダーが存在しません。")},
        {gstrTsukiSeikyushoPrintFormFolder, QStringLiteral("月締め請求書印刷フォームフォルダーが存在しません。")},
        {gstrCustomerPrintFormFolder, QStringLiteral("顧客印刷フォームフォルダーが存在しません。")},
        {gstrCustomerListPrintFormFolder, QStringLiteral("顧客リスト印刷フォームフォルダーが存在しません。")},
        {gstrShohinPrintFormFolder, QStringLiteral("商品印刷フォームフォルダーが存在しません。")},
        {gstrShohinListPrintFormFolder, QStringLiteral("商品リスト印刷フォームフォルダーが存在しません。")},
        {gstrTsukiSeikyushoFolder, QStringLiteral("月締め請求書フォルダーが存在しません。")},
    };
    for (const auto &f : folders) {
        if (!fnFolderExists(f.path)) {
            exclamation(f.message);
            return false;
        }
    }
    return true;
}

void CloseDatabase()
{
    gConnection.reset();
}
