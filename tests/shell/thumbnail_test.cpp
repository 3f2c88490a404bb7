#include "shell/command_thumbnail.h"

#include "archive/zip_engine.h"
#include "built_program.h"
#include "document/cover_archive.h"
#include "gtest_qt.h"

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

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
    QString path(const QString& name) const { return m_dir.filePath(name); }

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

// A damaged or hostile cover, or a place the picture cannot go, gives exit status 1, a
// reason and no thumbnail at all; neither the temporary nor a working folder keeps anything.
TEST_F(Thumbnail, OfADamagedOrHostileCoverOrToAnUnwritablePlaceWritesNothing)
{
    const QString whole = coverWithPreview("whole.vrz", encoded(patterned(210, 180), "BMP"));
    const QByteArray bytes = readFile(whole);
    QByteArray flipped = bytes;
    for (int i = bytes.size() / 3; i < bytes.size() / 3 + 64; ++i)
        flipped[i] = char(~flipped[i]);
    ASSERT_TRUE(writeFile(path("cut.vrz"), bytes.left(bytes.size() / 2)) && writeFile(path("flipped.vrz"), flipped)
                && writeFile(path("text.vrz"), "[LastCover]\r\n") && writeFile(path("empty.vrz"), "")
                && QDir().mkpath(path("taken.png")));
    // Valid headers followed by more bytes than a preview can hold, or promising more pixels.
    const QByteArray padded = encoded(patterned(100, 100), "BMP") + QByteArray(70 * 1024 * 1024, '\0');
    QByteArray promising = encoded(patterned(4, 4), "BMP");
    qToLittleEndian<qint32>(100000, promising.data() + 18);
    qToLittleEndian<qint32>(100000, promising.data() + 22);
    const QString out = path("out.png");
    const struct {
        QString cover, out;
        const char *says, *what;
    } cases[] = {
        {path("cut.vrz"), out, "no readable preview", "the archive's second half missing"},
        {path("flipped.vrz"), out, "no readable preview", "bytes of the preview changed"},
        {path("text.vrz"), out, "no readable preview", "not an archive"},
        {path("empty.vrz"), out, "no readable preview", "an empty file"},
        {path("missing.vrz"), out, "no readable preview", "no such file"},
        {cover("no-preview.vrz", {{"vorn.ini", "[LastCover]\r\n"}}), out, "no readable preview", "no preview member"},
        {coverWithPreview("png.vrz", encoded(patterned(210, 180), "PNG")), out, "no readable preview",
         "a PNG named as the bitmap"},
        {coverWithPreview("promise.vrz", promising), out, "no readable preview",
         "a header promising 10^10 pixels"},
        {coverWithPreview("wide.vrz", encoded(patterned(2049, 2), "BMP")), out, "no readable preview",
         "a bitmap wider than 2048"},
        {coverWithPreview("padded.vrz", padded), out, "no readable preview", "a bitmap padded to 70 MB"},
        {whole, path("no/such/folder/t.png"), "could not be written", "a missing folder"},
        {whole, path("taken.png"), "could not be written", "a folder in the way"},
    };
    QTemporaryDir tmp, home;
    QProcessEnvironment env = program::withoutDisplay();
    env.insert("TMPDIR", tmp.path());
    env.insert("CASELEAF_HOME", home.path());
    for (const auto& c : cases) {
        const RunResult r = program::run({"thumbnail", c.cover, c.out, "256"}, m_dir.path(), env);
        EXPECT_EQ(r.exitCode, 1) << c.what;
        EXPECT_TRUE(r.err.contains(c.says)) << c.what << ": " << r.err.constData();
        EXPECT_FALSE(QFileInfo(c.out).isFile()) << c.what;
        EXPECT_EQ(entriesBelow(tmp.path()), QStringList()) << c.what;
    }
    // The same cover whole is read, so the cases above fail for what was done to them.
    EXPECT_EQ(program::run({"thumbnail", whole, out, "256"}, m_dir.path(), env).exitCode, 0);
    EXPECT_EQ(entriesBelow(tmp.path()) + entriesBelow(home.path()), QStringList());
}

TEST(ThumbnailCommandLine, RefusesAnIncompleteRequestWithTheUsage)
{
    const QStringList cases[] = {
        {"thumbnail"}, {"thumbnail", "a.vrz", "a.png"}, {"thumbnail", "a.vrz", "a.png", "0"},
        {"thumbnail", "a.vrz", "a.png", "big"}, {"thumbnail", "a.vrz", "a.png", "4097"},
        {"thumbnail", "a.vrz", "a.png", "128", "extra"},
    };
    for (const QStringList& args : cases) {
        const RunResult r = program::run(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains("caseleaf thumbnail IN.vrz OUT.png SIZE")) << r.err.constData();
    }
    EXPECT_TRUE(program::run({"--help"}).out.contains("caseleaf thumbnail IN.vrz OUT.png SIZE"));
}

} // namespace
