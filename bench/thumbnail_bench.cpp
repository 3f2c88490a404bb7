// A file manager's thumbnail of a cover holding three 5 MB pictures: the preview alone is
// read, so the pictures' size should not matter. Goal: under 50 ms for the whole command.

#include "archive/zip_engine.h"
#include "document/cover_archive.h"
#include "shell/command_thumbnail.h"

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kPictureBytes = 5 * 1000 * 1000;

struct Fixture {
    QTemporaryDir dir;
    QString cover;
    QString out;
};

Fixture* g_fixture = nullptr;

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Pictures that do not compress, as photographs do not, packed before the preview as a save packs them.
bool setUp(Fixture& f)
{
    QStringList members;
    for (int i = 1; i <= 3; ++i) {
        QByteArray noise(kPictureBytes, Qt::Uninitialized);
        QRandomGenerator(quint32(i)).fillRange(reinterpret_cast<quint32*>(noise.data()), kPictureBytes / 4);
        members << f.dir.filePath(QStringLiteral("picture%1.jpg").arg(i));
        if (!writeBytes(members.last(), noise))
            return false;
    }
    QImage preview(210, 180, QImage::Format_RGB32);
    preview.fill(Qt::darkCyan);
    members << f.dir.filePath(kPreviewFileName);
    if (!preview.save(members.last(), "BMP"))
        return false;
    f.cover = f.dir.filePath(QStringLiteral("cover.vrz"));
    f.out = f.dir.filePath(QStringLiteral("thumbnail.png"));
    return CompressArrayFiles(members, f.cover, 9) == zipcode::Ok;
}

void BM_ThumbnailInProcess(benchmark::State& state)
{
    for (auto _ : state) {
        if (writeThumbnail({g_fixture->cover, g_fixture->out, 256}) != 0)
            state.SkipWithError("thumbnail failed");
    }
}

// What a file manager waits for: the program started, the thumbnail written.
void BM_ThumbnailCommand(benchmark::State& state)
{
    const QStringList args{QStringLiteral("thumbnail"), g_fixture->cover, g_fixture->out, QStringLiteral("256")};
    for (auto _ : state) {
        QProcess p;
        p.start(QStringLiteral(CASELEAF_PROGRAM), args);
        if (!p.waitForFinished(-1) || p.exitCode() != 0)
            state.SkipWithError("thumbnail command failed");
    }
}

BENCHMARK(BM_ThumbnailInProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);
BENCHMARK(BM_ThumbnailCommand)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    if (!setUp(fixture)) {
        std::fprintf(stderr, "the benchmark cover could not be made\n");
        return 1;
    }
    g_fixture = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
