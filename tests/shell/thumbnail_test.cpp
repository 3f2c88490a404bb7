#include "archive/zip_engine.h"
#include "archive/zip_fixtures.h"
#include "document/cover_archive.h"
#include "gtest_qt.h"
#include "shell/command_thumbnail.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

const QString kProgram = QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf");

// A picture whose every pixel differs from its neighbours, so any other scaling shows.
QImage patterned(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    return image;
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A bitmap header that promises width x height pixels of 24 bits, followed by little data.
QByteArray bitmapPromising(qint32 width, qint32 height)
{
    QByteArray header(54, '\0');
    header[0] = 'B';
    header[1] = 'M';
    qToLittleEndian<quint32>(54 + 1024, header.data() + 2);
    qToLittleEndian<quint32>(54, header.data() + 10);
    qToLittleEndian<quint32>(40, header.data() + 14);
    qToLittleEndian<qint32>(width, header.data() + 18);
    qToLittleEndian<qint32>(height, header.data() + 22);
    qToLittleEndian<quint16>(1, header.data() + 26);
    qToLittleEndian<quint16>(24, header.data() + 28);
    return header + QByteArray(1024, '\x55');
}

class Thumbnail : public ::testing::Test {
protected:
    // A cover archive packed by the program's engine from the named members.
    QString cover(const QString& name, const QList<Member>& members)
    {
        const QString folder = m_dir.filePath(name + ".members/");
        QStringList files;
        QDir().mkpath(folder);
        for (const Member& m : members) {
            files << folder + m.name;
            EXPECT_TRUE(writeFile(files.last(), m.data));
        }
        const QString archive = m_dir.filePath(name);
        EXPECT_EQ(CompressArrayFiles(files, archive, 9), zipcode::Ok) << name.toStdString();
        return archive;
    }
    QString coverWithPreview(const QString& name, const QByteArray& preview)
    {
        return cover(name, {{"vorn.ini", "[LastCover]\r\n"}, {kPreviewFileName, preview}});
    }
    QString path(const QString& name) const { return QDir(m_dir.path()).filePath(name); }

    QTemporaryDir m_dir;
};

// What a file manager gets is the stored preview, scaled down with smoothing to fit the
// size asked for; never enlarged, and never less than one pixel across.
TEST_F(Thumbnail, IsThePreviewScaledDownToFitTheSize)
{
    struct Case {
        QSize preview;
        int size;
        QSize expected;
    };
    const Case cases[] = {
        {{210, 180}, 128, {128, 109}}, {{210, 180}, 105, {105, 90}}, {{210, 180}, 210, {210, 180}},
        {{210, 180}, 256, {210, 180}}, {{90, 200}, 50, {22, 50}},    {{210, 180}, 1, {1, 1}},
        {{2000, 10}, 128, {128, 1}},
    };
    for (const Case& c : cases) {
        const QImage preview = patterned(c.preview.width(), c.preview.height());
        const QString out = path(QStringLiteral("thumb.png"));
        QFile::remove(out);
        ASSERT_EQ(writeThumbnail({coverWithPreview("c.vrz", encoded(preview, "BMP")), out, c.size}), 0);
        const QImage thumb = QImage(out).convertToFormat(QImage::Format_RGB32);
        const QImage expected = c.expected == c.preview
                                    ? preview
                                    : preview.scaled(c.expected, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_EQ(thumb.size(), c.expected) << c.size;
        EXPECT_TRUE(thumb == expected.convertToFormat(QImage::Format_RGB32)) << c.size;
    }
}

// The picture a save stores is the one the thumbnail shows, through the program as a
// file manager runs it: no display, its own temporary folder, nothing left behind.
TEST_F(Thumbnail, OfASavedCoverShowsItsStoredPreview)
{
    QTemporaryDir home, tmp;
    ASSERT_TRUE(QDir().mkpath(home.filePath("tmp")));
    ASSERT_TRUE(pythonZip(path("plain.vrz"), {{"vorn.ini", "[LastCover]\r\nText=\"thumb\"\r\nBackColor=16711680\r\n"},
                                              {"plain.vrz.txt", "// ~contents~=\r\nTrack 1\r\n"}}));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(display);
    env.insert("CASELEAF_HOME", home.path());
    ASSERT_EQ(run(kProgram, {"convert", "plain.vrz", "saved.vrz"}, m_dir.path(), env).exitCode, 0);
    env.insert("TMPDIR", tmp.path());

    const RunResult r = run(kProgram, {"thumbnail", path("saved.vrz"), path("saved.png"), "128"}, m_dir.path(), env);
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QImage stored = QImage::fromData(memberOf(path("saved.vrz"), kPreviewFileName), "BMP");
    ASSERT_EQ(stored.size(), QSize(210, 180));
    const QImage thumb(path("saved.png"));
    EXPECT_EQ(thumb.size(), QSize(128, 109));
    EXPECT_TRUE(thumb.convertToFormat(QImage::Format_RGB32)
                == stored.scaled(128, 109, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(entriesBelow(tmp.path()), QStringList());
    EXPECT_EQ(entriesBelow(home.filePath("tmp")), QStringList());
}

// A damaged or hostile cover gives exit status 1, a reason, no thumbnail at all and no
// unpacked member left in the temporary folder.
TEST_F(Thumbnail, OfADamagedOrHostileCoverWritesNothing)
{
    const QByteArray good = encoded(patterned(210, 180), "BMP");
    const QString whole = coverWithPreview("whole.vrz", good);
    const QByteArray bytes = readFile(whole);
    QByteArray flipped = bytes;
    for (int i = bytes.size() / 3; i < bytes.size() / 3 + 64; ++i)
        flipped[i] = char(~flipped[i]);
    ASSERT_TRUE(writeFile(path("cut.vrz"), bytes.left(bytes.size() / 2)) && writeFile(path("flipped.vrz"), flipped)
                && writeFile(path("text.vrz"), "[LastCover]\r\n") && writeFile(path("empty.vrz"), ""));
    // Valid headers followed by more bytes than a preview can hold.
    const QByteArray padded = encoded(patterned(100, 100), "BMP") + QByteArray(70 * 1024 * 1024, '\0');
    const std::pair<QString, QString> cases[] = {
        {"cut.vrz", "the archive's second half missing"},
        {"flipped.vrz", "bytes of the preview changed"},
        {"text.vrz", "not an archive"},
        {"empty.vrz", "an empty file"},
        {"missing.vrz", "no such file"},
        {cover("no-preview.vrz", {{"vorn.ini", "[LastCover]\r\n"}}), "no preview member"},
        {coverWithPreview("png.vrz", encoded(patterned(210, 180), "PNG")), "a PNG named as the bitmap"},
        {coverWithPreview("promise.vrz", bitmapPromising(100000, 100000)), "a header promising 10^10 pixels"},
        {coverWithPreview("wide.vrz", encoded(patterned(2049, 2), "BMP")), "a bitmap wider than 2048"},
        {coverWithPreview("padded.vrz", padded), "a bitmap padded to 70 MB"},
    };
    QTemporaryDir tmp;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TMPDIR", tmp.path());
    for (const auto& [name, what] : cases) {
        const QString out = path("out.png");
        const RunResult r = run(kProgram, {"thumbnail", path(name), out, "256"}, m_dir.path(), env);
        EXPECT_EQ(r.exitCode, 1) << what.toStdString();
        EXPECT_TRUE(r.err.contains("no readable preview")) << what.toStdString() << ": " << r.err.constData();
        EXPECT_FALSE(QFileInfo::exists(out)) << what.toStdString();
        EXPECT_EQ(entriesBelow(tmp.path()), QStringList()) << what.toStdString();
    }
    // The same cover whole is read, so the cases above fail for what was done to them.
    EXPECT_EQ(run(kProgram, {"thumbnail", whole, path("whole.png"), "256"}, m_dir.path(), env).exitCode, 0);
}

TEST_F(Thumbnail, ThatCannotBeWrittenLeavesNoFile)
{
    const QString whole = coverWithPreview("whole.vrz", encoded(patterned(210, 180), "BMP"));
    ASSERT_TRUE(QDir().mkpath(path("taken.png")));
    for (const QString& out : {path("no/such/folder/t.png"), path("taken.png")}) {
        const RunResult r = run(kProgram, {"thumbnail", whole, out, "128"});
        EXPECT_EQ(r.exitCode, 1) << out.toStdString();
        EXPECT_TRUE(r.err.contains("could not be written")) << r.err.constData();
        EXPECT_FALSE(QFileInfo(out).isFile()) << out.toStdString();
    }
}

TEST(ThumbnailCommandLine, RefusesAnIncompleteRequestWithTheUsage)
{
    const QStringList cases[] = {
        {"thumbnail"}, {"thumbnail", "a.vrz", "a.png"}, {"thumbnail", "a.vrz", "a.png", "0"},
        {"thumbnail", "a.vrz", "a.png", "big"}, {"thumbnail", "a.vrz", "a.png", "4097"},
        {"thumbnail", "a.vrz", "a.png", "128", "extra"},
    };
    for (const QStringList& args : cases) {
        const RunResult r = run(kProgram, args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("caseleaf thumbnail IN.vrz OUT.png SIZE")) << r.err.constData();
    }
    const RunResult help = run(kProgram, {"--help"});
    EXPECT_TRUE(help.out.contains("caseleaf thumbnail IN.vrz OUT.png SIZE"));
}

} // namespace
