#pragma once

#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "archive/zip_fixtures.h"
#include "fake_dialogs.h"
#include "shell/app_state.h"
#include "shell/language.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A program folder with the installed language, a working folder of its own, scripted
// dialogs and one document with its editor context.
class CoverFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("CASELEAF_HOME", QByteArray(CASELEAF_BUILD_DIR));
        QString language = QStringLiteral("english");
        ASSERT_TRUE(LoadLanguage(language));
        ASSERT_FALSE(Lang(LangSection::Messages, 31).isEmpty());
        ASSERT_TRUE(m_dir.isValid());
        m_work = m_dir.filePath(QStringLiteral("work/"));
        QDir().mkpath(m_work);
        QFile dummy(m_work + QStringLiteral("dummy.txt"));
        ASSERT_TRUE(dummy.open(QIODevice::WriteOnly));
        dummy.close();
        app::setWorkingFolder(m_work);
        app::viewEnabled = true;
        m_ctx.redrawBack = [this] { ++m_backRedraws; };
        m_ctx.redrawFront = [this] { ++m_frontRedraws; };
        m_ctx.addRecent = [this](const QString& p) { m_recent << p; };
    }
    void TearDown() override { app::setWorkingFolder(QString()); }

    QString msg(int n) const { return Lang(LangSection::Messages, n); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A small picture of one colour, in the format its name gives.
    QString makePicture(const QString& name, const QColor& color, int w = 40, int h = 30)
    {
        const QString p = path(name);
        QDir().mkpath(QFileInfo(p).path());
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(color);
        EXPECT_TRUE(image.save(p));
        return p;
    }

    // A PNG whose header claims width by height: a picture far too large to decode,
    // in a few kilobytes.
    QString makeHugePng(const QString& name, int width, int height)
    {
        const fixtures::RunResult r = fixtures::python(QStringLiteral(
                                       "import sys, zlib, struct\n"
                                       "w, h = int(sys.argv[2]), int(sys.argv[3])\n"
                                       "def chunk(t, d): return struct.pack('>I', len(d)) + t + d + "
                                       "struct.pack('>I', zlib.crc32(t + d))\n"
                                       "row = b'\\0' * (1 + (w + 7) // 8)\n"
                                       "z = zlib.compressobj(9)\n"
                                       "data = b''.join(z.compress(row) for _ in range(h)) + z.flush()\n"
                                       "png = b'\\x89PNG\\r\\n\\x1a\\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 1, 0, 0, 0, 0))"
                                       " + chunk(b'IDAT', data) + chunk(b'IEND', b'')\n"
                                       "open(sys.argv[1], 'wb').write(png)\n"),
                                   {path(name), QString::number(width), QString::number(height)});
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        return path(name);
    }

    QStringList workingFiles() const
    {
        QStringList files = QDir(m_work).entryList(QDir::Files | QDir::Hidden);
        files.sort();
        return files;
    }

    QTemporaryDir m_dir;
    QString m_work;
    FakeDialogs m_dialogs;
    CoverDocument m_doc;
    CoverFileContext m_ctx{m_doc};
    int m_backRedraws = 0;
    int m_frontRedraws = 0;
    QStringList m_recent;
};
