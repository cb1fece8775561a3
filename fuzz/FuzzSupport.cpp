#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace nivora::fuzz {

namespace {

QTemporaryDir* scratch = nullptr;

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

const QString& scratchDir()
{
    static const QString path = scratch->path();
    return path;
}

void fail(const char* what)
{
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

} // namespace nivora::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    using namespace nivora::fuzz;
    // In memory where there is such a place: some targets write a file per
    // input, and a disk would set their pace.
    const QString base =
        QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    scratch = new QTemporaryDir(base + QStringLiteral("/nivora-fuzz-XXXXXX"));
    if (!scratch->isValid())
        fail("no scratch directory");
    std::atexit([] { delete scratch; });
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        const QString dir = scratch->path() + QLatin1Char('/') + QString::fromLatin1(name).toLower();
        QDir().mkpath(dir);
        qputenv(name, QFile::encodeName(dir));
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static int argc = 1;
    static char name[] = "nivora-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return 0;
}
