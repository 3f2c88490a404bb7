#pragma once

#include "archive/zip_fixtures.h"
#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "document/font_matching.h"
#include "fake_dialogs.h"
#include "shell/app_state.h"
#include "shell/language.h"

#include <QColor>
#include <QFileInfo>
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
        m_work = path(QStringLiteral("work/"));
        QDir().mkpath(m_work);
        ASSERT_TRUE(fixtures::writeFile(m_work + "dummy.txt", QByteArray()));
        app::setWorkingFolder(m_work);
        app::viewEnabled = true;
        m_ctx.fontList = standardFontList();
    }
    void TearDown() override { app::setWorkingFolder(QString()); }

    QString msg(int n) const { return Lang(LangSection::Messages, n); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A small picture of one colour, in the format its name gives.
    QString makePicture(const QString& name, const QColor& color)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(color);
        EXPECT_TRUE(image.save(path(name)));
        return path(name);
    }

    QTemporaryDir m_dir;
    QString m_work;
    FakeDialogs m_dialogs;
    CoverDocument m_doc;
    CoverFileContext m_ctx{m_doc};
};
