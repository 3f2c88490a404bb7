#include "document/legacy_cover.h"

#include "archive/zip_fixtures.h"
#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "document/settings_file.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/progress.h"
#include "toolbox/ini_file.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

// Records which progress windows were shown.
class ProgressModes final : public ProgressWindowHost {
public:
    ProgressModes() { setProgressWindowHost(this); }
    ~ProgressModes() override { setProgressWindowHost(nullptr); }
    void showProgressWindow(ProgressMode mode) override { shown.push_back(mode); }
    void unloadProgressWindow() override { ++unloaded; }
    void showLogWindow() override {}
    std::vector<ProgressMode> shown;
    int unloaded = 0;
};

class LegacyCover : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("CASELEAF_HOME", QByteArray(CASELEAF_BUILD_DIR));
        QString language = QStringLiteral("english");
        ASSERT_TRUE(LoadLanguage(language));
        ASSERT_TRUE(QDir().mkpath(work));
        app::setWorkingFolder(work);
        app::viewEnabled = true;
        ctx.fontList = {"DejaVu Sans", "Liberation Serif", "Verdana"};
        ctx.redrawBack = [this] { ++redraws; };
    }
    void TearDown() override
    {
        app::setWorkingFolder(QString());
        qunsetenv("CASELEAF_HOME");
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString msg(int n) const { return Lang(LangSection::Messages, n); }
    QString picture(const QString& name, Qt::GlobalColor color)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(color);
        EXPECT_TRUE(image.save(path(name)));
        return path(name);
    }
    // A cover with every kind of content a legacy set holds.
    void fillCover()
    {
        doc.Fontname = "Verdana";
        doc.Text = QString::fromUtf8("  Café {Live}  ");
        doc.Contents = QString::fromUtf8("1. Intro\r\n2. Ünder €5");
        doc.FrontText1 = "inner";
        doc.FrontText2 = "outer";
        doc.BackColor = 0x123456;
        doc.CountFrom = "7";
        doc.BackPicture.ref = picture("work/back.png", Qt::red);
        doc.FrontPicture.ref = picture("work/front.png", Qt::green);
        doc.FrontPicture1.ref = doc.FrontPicture.ref; // one picture in two slots
    }
    QStringList shownTexts()
    {
        const QStringList t = dialogs.texts();
        dialogs.shown.clear();
        return t;
    }

    QTemporaryDir dir;
    QString work = path("work/");
    FakeDialogs dialogs;
    CoverDocument doc;
    CoverFileContext ctx{doc};
    int redraws = 0;
};

TEST_F(LegacyCover, ExportAndImportCarrySettingsTextsAndPictures)
{
    fillCover();
    doc.saved = false;
    const ProgressModes progress;
    const QString vrc = path("out/Band.vrc");
    QDir().mkpath(path("out"));
    ASSERT_TRUE(ExportLegacyFile(ctx, vrc));
    EXPECT_TRUE(doc.saved);
    EXPECT_EQ(QDir(path("out")).entryList(QDir::Files, QDir::Name),
              QStringList({"Band.vrc", "Band.vrc.txt", "back.png", "front.png"}));
    EXPECT_EQ(ReadINI(vrc, "LastCover", "BackPicture"), "{back.png}");
    EXPECT_EQ(ReadINI(vrc, "LastCover", "FrontPicture1"), "{front.png}");
    // The document keeps its own references.
    EXPECT_EQ(doc.BackPicture.ref, work + "back.png");

    CoverDocument back;
    CoverFileContext backCtx(back);
    backCtx.fontList = ctx.fontList;
    back.currentFile = path("old.vrz");
    ASSERT_TRUE(ImportLegacyFile(backCtx, vrc));
    EXPECT_EQ((QStringList{back.Fontname, back.Text, back.Contents, back.FrontText1, back.FrontText2, back.CountFrom}),
              (QStringList{doc.Fontname, doc.Text, doc.Contents, doc.FrontText1, doc.FrontText2, doc.CountFrom}));
    EXPECT_EQ(back.BackColor, doc.BackColor);
    EXPECT_EQ(back.BackPicture.ref, path("out/back.png"));
    EXPECT_EQ(back.BackPicture.image.pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(back.FrontPicture1.image.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_TRUE(back.saved);
    EXPECT_TRUE(back.currentFile.isEmpty());
    EXPECT_EQ(backCtx.lastPath, path("out/"));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('|').toStdString();
    EXPECT_EQ(progress.shown, std::vector<ProgressMode>({ProgressMode::Exporting, ProgressMode::Importing}));
    EXPECT_EQ(progress.unloaded, 2);
}

// After an import "Save..." must not write over the archive that was open before.
TEST_F(LegacyCover, AnImportedCoverIsSavedUnderANewName)
{
    fillCover();
    ASSERT_TRUE(SaveAsFile(ctx, path("old.vrz")));
    const QByteArray old = readFile(path("old.vrz"));
    ASSERT_TRUE(ExportLegacyFile(ctx, path("set.vrc")));

    dialogs.files = {path("set")}; // ".vrc" is added
    ASSERT_TRUE(ImportCommand(ctx));
    EXPECT_EQ(dialogs.fileRequests.back().title, msg(38));
    EXPECT_TRUE(doc.currentFile.isEmpty());
    EXPECT_FALSE(SaveCommand(ctx)); // the save dialog comes, and is cancelled
    EXPECT_TRUE(dialogs.fileRequests.back().save);
    EXPECT_EQ(readFile(path("old.vrz")), old);

    // Pictures are packed from the folder they were imported from.
    dialogs.files = {path("new.vrz")};
    ASSERT_TRUE(SaveCommand(ctx));
    EXPECT_EQ(memberOf(path("new.vrz"), "back.png"), readFile(path("back.png")));
}

TEST_F(LegacyCover, ImportAsksAgainForAFileThatIsNotThere)
{
    ASSERT_TRUE(writeFile(path("c.vrc"), "[LastCover]\r\nText=\"found\"\r\n"));
    ASSERT_TRUE(writeFile(path("c.vrc.txt"), "// ~contents~=\r\nlist\r\n"));
    dialogs.files = {path("missing.vrc"), path("c")};
    ASSERT_TRUE(ImportCommand(ctx));
    EXPECT_EQ(shownTexts(), QStringList{"File don't exist !"});
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
    EXPECT_EQ(dialogs.fileRequests[0].filter, "VORN 2.x File (*.vrc)");
    EXPECT_EQ(doc.Text + doc.Contents, "foundlist");

    // An unsaved cover may keep the import from happening.
    doc.saved = false;
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(ImportCommand(ctx));
    EXPECT_EQ(dialogs.fileRequests.size(), 2u);
}

TEST_F(LegacyCover, AMissingTextFileStillImportsTheSettings)
{
    ASSERT_TRUE(writeFile(path("c.vrc"), "[LastCover]\r\nText=\"label\"\r\nBackColor=255\r\n"));
    doc.Contents = "old contents";
    ASSERT_TRUE(ImportLegacyFile(ctx, path("c.vrc")));
    EXPECT_EQ(shownTexts(), QStringList{"Load error! (txt not found) File is corrupted!"});
    EXPECT_EQ(doc.Text, "label");
    EXPECT_EQ(doc.BackColor, 255);
    EXPECT_TRUE(doc.Contents.isEmpty());
}

TEST_F(LegacyCover, ReferencesInBracesNameFilesBesideTheSettings)
{
    picture("set/p.png", Qt::blue);
    ASSERT_TRUE(writeFile(path("set/c.vrc.txt"), "// ~contents~=\r\n"));
    ASSERT_TRUE(writeFile(path("set/c.vrc"), "[LastCover]\r\nBackPicture={}\r\nFrontPicture=a{p.png}\r\n"
                                             "FrontPicture1={p.png}\r\n"));
    ASSERT_TRUE(ImportLegacyFile(ctx, path("set/c.vrc")));
    // "{}" names the folder itself, which is no picture; braces inside a value are plain text.
    EXPECT_EQ(doc.BackPicture.ref, path("set/"));
    EXPECT_TRUE(doc.BackPicture.image.isNull());
    EXPECT_EQ(doc.FrontPicture.ref, "a{p.png}");
    EXPECT_TRUE(doc.FrontPicture.image.isNull());
    EXPECT_EQ(doc.FrontPicture1.image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('|').toStdString();
}

// Pictures are read the way every cover reads them: one that does not decode is reported.
TEST_F(LegacyCover, APictureThatDoesNotDecodeIsReported)
{
    ASSERT_TRUE(writeFile(path("bad.png"), "not a picture"));
    ASSERT_TRUE(writeFile(path("c.vrc.txt"), "// ~contents~=\r\n"));
    ASSERT_TRUE(writeFile(path("c.vrc"), "[LastCover]\r\nBackPicture={bad.png}\r\n"));
    EXPECT_FALSE(ImportLegacyFile(ctx, path("c.vrc")));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains(path("bad.png")));
    EXPECT_TRUE(doc.BackPicture.image.isNull());
}

TEST_F(LegacyCover, ExportAsksBeforeReplacingAndWritesAFreshFile)
{
    fillCover();
    ASSERT_TRUE(writeFile(path("Band.vrc"), "[LastCover]\r\nObsolete=1\r\n"));
    dialogs.files = {path("Band")};
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(ExportCommand(ctx));
    EXPECT_EQ(dialogs.fileRequests[0].title, msg(12));
    EXPECT_EQ(dialogs.fileRequests[0].filter, "VORN File (*.vrc)");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, msg(10) + "\n" + msg(11));
    EXPECT_EQ(dialogs.shown[0].title, msg(10));
    EXPECT_EQ(readFile(path("Band.vrc")), "[LastCover]\r\nObsolete=1\r\n");
    dialogs.shown.clear();

    dialogs.files = {path("Band.vrc")};
    ASSERT_TRUE(ExportCommand(ctx));
    EXPECT_EQ(ReadINI(path("Band.vrc"), "LastCover", "Obsolete"), "");
    EXPECT_EQ(ReadINI(path("Band.vrc"), "LastCover", "Text"), doc.Text);
    EXPECT_EQ(ctx.lastPath, dir.path() + "/");
    // A name ending in another letter case gets the extension added.
    dialogs.files = {path("Band.VRC")};
    ASSERT_TRUE(ExportCommand(ctx));
    EXPECT_TRUE(QFileInfo::exists(path("Band.VRC.vrc")));
}

TEST_F(LegacyCover, ADifferentPictureOfTheSameNameIsReplacedOnlyWhenAllowed)
{
    fillCover();
    const QByteArray theirs = readFile(picture("out/back.png", Qt::yellow));
    ASSERT_TRUE(QFile::copy(doc.FrontPicture.ref, path("out/front.png"))); // the same bytes: no question
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(ExportLegacyFile(ctx, path("out/c.vrc")));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(msg(10) + "\n" + msg(11)));
    EXPECT_EQ(readFile(path("out/back.png")), theirs);
    EXPECT_FALSE(QFileInfo::exists(path("out/c.vrc")));
    dialogs.shown.clear();

    ASSERT_TRUE(ExportLegacyFile(ctx, path("out/c.vrc")));
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(readFile(path("out/back.png")), readFile(doc.BackPicture.ref));
}

TEST_F(LegacyCover, ExportingBesideThePicturesOrWithoutAnyCopiesNothing)
{
    fillCover();
    const QStringList before = entriesBelow(work);
    ASSERT_TRUE(ExportLegacyFile(ctx, work + "here.vrc"));
    QStringList expected = before + QStringList({"here.vrc", "here.vrc.txt"});
    expected.sort();
    EXPECT_EQ(entriesBelow(work), expected);
    EXPECT_EQ(ReadINI(work + "here.vrc", "LastCover", "BackPicture"), "{back.png}");

    CoverDocument bare;
    bare.FrontPicture.ref = "none";
    CoverFileContext bareCtx(bare);
    QDir().mkpath(path("bare"));
    ASSERT_TRUE(ExportLegacyFile(bareCtx, path("bare/b.vrc")));
    EXPECT_EQ(QDir(path("bare")).entryList(QDir::Files, QDir::Name), QStringList({"b.vrc", "b.vrc.txt"}));
    EXPECT_TRUE(readFile(path("bare/b.vrc")).contains("\r\nBackPicture=\r\n"));
    EXPECT_TRUE(readFile(path("bare/b.vrc")).contains("\r\nFrontPicture=none\r\n"));
}

} // namespace
