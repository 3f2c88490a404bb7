#include "shell/command_thumbnail.h"

#include "archive/zip_engine.h"
#include "built_program.h"
#include "document/cover_archive.h"
#include "gtest_qt.h"
#include "test_pictures.h"

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

class Thumbnail : public ::testing::Test, protected TestFolder {
protected:
    // A cover archive packed by the program's engine, with no preview member when it is empty.
    QString cover(const QString& name, const QByteArray& preview)
    {
        const QString folder = path(name + ".members/");
        QStringList files{folder + "vorn.ini", folder + kPreviewFileName};
        EXPECT_TRUE(QDir().mkpath(folder) && writeFile(files[0], "[LastCover]\r\n") && writeFile(files[1], preview));
        if (preview.isEmpty())
            files.removeLast();
        EXPECT_EQ(CompressArrayFiles(files, path(name), 9), zipcode::Ok) << name.toStdString();
        return path(name);
    }

};

// What a file manager gets is the stored preview, scaled down with smoothing to fit the
// size asked for; never enlarged, and never less than one pixel across.
TEST_F(Thumbnail, IsThePreviewScaledDownToFitTheSize)
{
    // The preview's size, the size asked for, the thumbnail's size.
    const std::tuple<QSize, int, QSize> cases[] = {
        {{210, 180}, 128, {128, 109}}, {{210, 180}, 105, {105, 90}}, {{210, 180}, 210, {210, 180}},
        {{210, 180}, 256, {210, 180}}, {{90, 200}, 50, {22, 50}},    {{210, 180}, 1, {1, 1}},
        {{2000, 10}, 128, {128, 1}},
    };
    const QString out = path(QStringLiteral("thumb.png"));
    for (const auto& [size, asked, expected] : cases) {
        const QImage preview = patterned(size.width(), size.height());
        QFile::remove(out);
        ASSERT_EQ(writeThumbnail({cover("c.vrz", encoded(preview, "BMP")), out, asked}), 0);
        const QImage thumb = QImage(out).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(thumb.size(), expected) << asked;
        EXPECT_TRUE(thumb == preview.scaled(expected, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)) << asked;
    }
}

// A damaged or hostile cover, or a place the picture cannot go, gives exit status 1, a
// reason and no thumbnail at all; neither the temporary nor a working folder keeps anything.
TEST_F(Thumbnail, OfADamagedOrHostileCoverOrToAnUnwritablePlaceWritesNothing)
{
    const QString whole = cover("whole.vrz", encoded(patterned(210, 180), "BMP"));
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
        const char* what;
    } cases[] = {
        {path("cut.vrz"), out, "the archive's second half missing"},
        {path("flipped.vrz"), out, "bytes of the preview changed"},
        {path("text.vrz"), out, "not an archive"},
        {path("empty.vrz"), out, "an empty file"},
        {path("missing.vrz"), out, "no such file"},
        {cover("no-preview.vrz", ""), out, "no preview member"},
        {cover("png.vrz", encoded(patterned(210, 180), "PNG")), out, "a PNG named as the bitmap"},
        {cover("promise.vrz", promising), out, "a header promising 10^10 pixels"},
        {cover("wide.vrz", encoded(patterned(2049, 2), "BMP")), out, "a bitmap wider than 2048"},
        {cover("padded.vrz", padded), out, "a bitmap padded to 70 MB"},
        {whole, path("no/such/folder/t.png"), "a missing folder"},
        {whole, path("taken.png"), "a folder in the way"},
    };
    QTemporaryDir tmp, home;
    QProcessEnvironment env = program::withoutDisplay();
    env.insert("TMPDIR", tmp.path());
    env.insert("CASELEAF_HOME", home.path());
    for (const auto& c : cases) {
        const RunResult r = program::run({"thumbnail", c.cover, c.out, "256"}, dir.path(), env);
        EXPECT_EQ(r.exitCode, 1) << c.what;
        const char* says = c.cover == whole ? "could not be written" : "no readable preview";
        EXPECT_TRUE(r.err.contains(says)) << c.what << ": " << r.err.constData();
        EXPECT_FALSE(QFileInfo(c.out).isFile()) << c.what;
        EXPECT_EQ(entriesBelow(tmp.path()), QStringList()) << c.what;
    }
    // The same cover whole is read, so the cases above fail for what was done to them.
    EXPECT_EQ(program::run({"thumbnail", whole, out, "256"}, dir.path(), env).exitCode, 0);
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
