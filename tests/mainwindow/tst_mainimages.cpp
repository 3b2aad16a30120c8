#include "mainwindow/views/MainImages.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QtTest>

#include <algorithm>

namespace {

// The darkest tenth of the drawn pixels, and how many are clearly
// coloured: a picture reads as enabled by its dark ink or by its colour.
std::pair<int, int> tone(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QList<int> lightness;
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = QColor::fromRgba(image.pixel(x, y));
            if (colour.alpha() < 128)
                continue;
            lightness << colour.lightness();
            if (colour.hslSaturation() > 100 && colour.lightness() < 200)
                ++coloured;
        }
    std::sort(lightness.begin(), lightness.end());
    return {lightness.isEmpty() ? 255 : lightness.at(lightness.size() / 10), coloured};
}

} // namespace

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
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        env.insert(QStringLiteral("QVX_SCALED"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("enabledBarImagesAreNotPale")});
        QVERIFY(child.waitForFinished(60000));
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, child.readAll().constData());
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
            const auto [ink, coloured] = tone(icon.pixmap(QSize(16, 16), QIcon::Normal));
            // A pale picture with a few coloured dots still reads as disabled.
            if (!(ink < 110 || coloured >= 20))
                pale << QStringLiteral("%1: %2/%3").arg(index).arg(ink).arg(coloured);
        }
        QVERIFY2(pale.isEmpty(), qPrintable(pale.join(QStringLiteral(", "))));
    }
};

QTEST_MAIN(tst_MainImages)
#include "tst_mainimages.moc"
