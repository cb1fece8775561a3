#pragma once

#include <QProcess>
#include <QStringList>

// `xdotool search` walks the whole window tree and gives up with an X error
// (and no output) when any window is destroyed during the walk, as the splash
// is at the end of its fade. An empty answer with that error is a failed
// query, not "no such window": ask again.
inline QStringList xdoSearch(const QStringList& criteria)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        QProcess p;
        p.start(QStringLiteral("xdotool"), QStringList{QStringLiteral("search")} + criteria);
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished();
            continue;
        }
        const QStringList ids =
            QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        if (!ids.isEmpty() || !p.readAllStandardError().contains("X Error"))
            return ids;
    }
    return {};
}
