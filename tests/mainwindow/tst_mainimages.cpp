#include "../support/RunSelf.h"
#include "PictureTone.h"
#include "mainwindow/views/MainImages.h"

#include <QApplication>
#include <QIcon>
#include <QtTest>

class tst_MainImages : public QObject {
    Q_OBJECT

private slots:
    // The toolbar pictures at each screen scale, each in a process of its
    // own: Qt takes the scale at start.
    void barImagesAtEveryScale_data()
    {
        QTest::addColumn<QString>("scale");
        QTest::newRow("100%") << "1";
        QTest::newRow("150%") << "1.5";
        QTest::newRow("200%") << "2";
    }
    void barImagesAtEveryScale()
    {
        QFETCH(QString, scale);
        testsupport::runSelf(QStringLiteral("enabledBarImagesAreNotPale"),
                             {{QStringLiteral("QT_SCALE_FACTOR"), scale}, {QStringLiteral("QVX_SCALED"), QStringLiteral("1")}});
    }

    // An enabled toolbar button is drawn clearly darker or more colourful
    // than a pale, disabled-looking one.
    void enabledBarImagesAreNotPale()
    {
        if (!qEnvironmentVariableIsSet("QVX_SCALED"))
            QSKIP("run by barImagesAtEveryScale at each scale");
        QStringList pale;
        // The main window's toolbar and the date bar's arrows.
        for (int index : {17, 1, 8, 9, 4, 19, 5, 6, 2, 12, 16, 18, 10, 14, 15}) {
            const QIcon icon = MainImages::barImage(index);
            const auto [ink, coloured] = pictureTone(icon.pixmap(QSize(16, 16), QIcon::Normal));
            // A pale picture with a few coloured dots still reads as disabled.
            if (!(ink < 110 || coloured >= 20))
                pale << QStringLiteral("%1: %2/%3").arg(index).arg(ink).arg(coloured);
        }
        QVERIFY2(pale.isEmpty(), qPrintable(pale.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(tst_MainImages)
#include "tst_mainimages.moc"
