#pragma once

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSize>
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

namespace testsupport {

// Runs one test function of this test program in a process of its own,
// with `env` added to the environment: for what Qt takes once, at start
// (the screens, their scale). Fails the calling test when the child fails,
// with the child's output.
inline void runSelf(const QString &function, const QMap<QString, QString> &env)
{
    QProcess child;
    QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
    for (auto it = env.begin(); it != env.end(); ++it)
        all.insert(it.key(), it.value());
    child.setProcessEnvironment(all);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {function});
    QVERIFY(child.waitForFinished(60000));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, child.readAll().constData());
}

// The QT_QPA_PLATFORM value of an offscreen platform with one screen of
// `size`, its description written into `folder`.
inline QString offscreenScreen(const QString &folder, const QSize &size)
{
    const QString config = QDir(folder).filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QStringLiteral(R"({"screens": [{"name": "screen", "x": 0, "y": 0, "width": %1, "height": %2}]})")
                       .arg(size.width())
                       .arg(size.height())
                       .toUtf8());
    return QStringLiteral("offscreen:configfile=") + config;
}

} // namespace testsupport
