// Folder sizes of a tree of 100,000 files in 2,000 folders, beside du -sb on the same
// tree in the same run (warm cache), how long the window goes without a chance to
// repaint or see "Stop!" meanwhile, and the listing of one folder of 10,000 files.

#include "contents/contents_dialog.h"
#include "contents/contents_listing.h"
#include "contents/folder_size.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kTopFolders = 20;
constexpr int kFoldersPerTop = 99; // 20 + 20 × 99 = 2,000 folders
constexpr int kFilesPerFolder = 50; // 100,000 files
constexpr int kListedFiles = 10000;

struct Fixture {
    QTemporaryDir dir;
    QString tree;
    QString bigFolder;
    qint64 treeBytes = 0;
};

Fixture* g_fixture = nullptr;

// Sparse files: their lengths count, their blocks cost nothing.
bool writeFiles(const QString& folder, int count, qint64& bytes)
{
    for (int i = 0; i < count; ++i) {
        QFile f(QStringLiteral("%1/track %2.flac").arg(folder).arg(i));
        const qint64 size = 1000 + (qint64(i) * 7919) % 40000000;
        if (!f.open(QIODevice::WriteOnly) || !f.resize(size))
            return false;
        bytes += size;
    }
    return true;
}

bool setUp(Fixture& f)
{
    f.tree = f.dir.filePath(QStringLiteral("tree"));
    for (int t = 0; t < kTopFolders; ++t) {
        const QString top = QStringLiteral("%1/Artist %2").arg(f.tree).arg(t);
        if (!QDir().mkpath(top) || !writeFiles(top, kFilesPerFolder, f.treeBytes))
            return false;
        for (int a = 0; a < kFoldersPerTop; ++a) {
            const QString album = QStringLiteral("%1/Album %2").arg(top).arg(a);
            if (!QDir().mkpath(album) || !writeFiles(album, kFilesPerFolder, f.treeBytes))
                return false;
        }
    }
    f.bigFolder = f.dir.filePath(QStringLiteral("big"));
    qint64 ignored = 0;
    return QDir().mkpath(f.bigFolder) && writeFiles(f.bigFolder, kListedFiles, ignored);
}

int runDu(const QString& folder, QByteArray* out = nullptr)
{
    QProcess p;
    p.start(QStringLiteral("du"), {QStringLiteral("-sb"), folder});
    p.waitForFinished(-1);
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// "Get folder(s) size" on the tree, each top folder measured and the window given its
// chance to repaint whenever the walk polls, and du -sb on the same tree, taking turns
// within each iteration so that both meet the same load on the machine.
void BM_FolderSizesBesideDu(benchmark::State& state)
{
    const ListedFolder tree = ReadListedFolder(g_fixture->tree);
    double ours = 0;
    double du = 0;
    double longestGap = 0;
    bool oursFirst = true;
    const auto measureOurs = [&] {
        QElapsedTimer clock;
        clock.start();
        ContentsListing listing;
        QElapsedTimer sinceBreath;
        sinceBreath.start();
        ContentsListing::SizeRun run;
        run.breathe = [&] {
            longestGap = std::max(longestGap, double(sinceBreath.nsecsElapsed()) / 1e6);
            QCoreApplication::processEvents();
            sinceBreath.restart();
        };
        benchmark::DoNotOptimize(listing.buildWithSizes(tree, kSpacingLarge, run));
        ours += double(clock.nsecsElapsed()) / 1e6;
        return listing.sizeCache().size() == kTopFolders;
    };
    const auto measureDu = [&] {
        QElapsedTimer clock;
        clock.start();
        const bool ok = runDu(g_fixture->tree) == 0;
        du += double(clock.nsecsElapsed()) / 1e6;
        return ok;
    };
    for (auto _ : state) {
        const bool ok = oursFirst ? measureOurs() && measureDu() : measureDu() && measureOurs();
        if (!ok)
            state.SkipWithError("a measurement failed");
        oursFirst = !oursFirst;
    }
    const double n = double(state.iterations());
    state.counters["ours_ms"] = ours / n;
    state.counters["du_ms"] = du / n;
    state.counters["ours_per_du"] = du > 0 ? ours / du : 0;
    state.counters["longest_ms_without_repaint"] = longestGap;
}

// "Stop!" clicked 5 ms into the walk of the one large folder: the time until the walk
// has ended. A walk that ends before the click counts with its whole time.
void BM_StopInsideALargeFolder(benchmark::State& state)
{
    constexpr qint64 kClickNs = 5000000;
    double longest = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const FolderSize size = GetFolderSize(g_fixture->bigFolder, [&clock] { return clock.nsecsElapsed() < kClickNs; });
        const qint64 took = clock.nsecsElapsed();
        longest = std::max(longest, double(size.complete ? took : took - kClickNs) / 1e6);
        benchmark::DoNotOptimize(size);
    }
    state.counters["longest_ms_after_stop"] = longest;
}

// The listing of one folder of 10,000 files, as the dialog shows it when the folder
// is opened.
void BM_ListingOf10000Files(benchmark::State& state)
{
    ContentsDialog dialog;
    for (auto _ : state) {
        if (!dialog.setCurrentFolder(g_fixture->bigFolder) || dialog.displayList().size() != kListedFiles)
            state.SkipWithError("listing failed");
        state.PauseTiming();
        dialog.setCurrentFolder(g_fixture->dir.path());
        state.ResumeTiming();
    }
}

BENCHMARK(BM_FolderSizesBesideDu)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(10);
BENCHMARK(BM_StopInsideALargeFolder)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1);
BENCHMARK(BM_ListingOf10000Files)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    std::printf("Preparing %d folders of %d files...\n", kTopFolders * (kFoldersPerTop + 1), kFilesPerFolder);
    if (!fixture.dir.isValid() || !setUp(fixture)) {
        std::fprintf(stderr, "contents_bench: the folder tree could not be made\n");
        return 1;
    }
    g_fixture = &fixture;
    // Both sides read a warm cache. du also counts the folders' own entries.
    QByteArray du;
    runDu(fixture.tree, &du);
    std::printf("Tree: %lld bytes in files; GetFolderSize: %lld; du -sb: %s", static_cast<long long>(fixture.treeBytes),
                static_cast<long long>(GetFolderSize(fixture.tree).bytes), du.constData());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
