#pragma once

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStringList>
#include <QTemporaryDir>

// Reads PDF files the way a person's viewer does, through poppler's tools.
namespace pdf {

inline QByteArray tool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

inline QString info(const QString& file, const QString& field)
{
    const QString out = QString::fromUtf8(tool(QStringLiteral("pdfinfo"), {file}));
    const QRegularExpression line(QStringLiteral("^%1:\\s*(.*)$").arg(field), QRegularExpression::MultilineOption);
    return line.match(out).captured(1).trimmed();
}

inline int pageCount(const QString& file)
{
    return info(file, QStringLiteral("Pages")).toInt();
}

// The page size in millimetres.
inline QSizeF pageSizeMm(const QString& file)
{
    const QRegularExpression size(QStringLiteral("([\\d.]+) x ([\\d.]+) pts"));
    const QRegularExpressionMatch m = size.match(info(file, QStringLiteral("Page size")));
    return QSizeF(m.captured(1).toDouble() * 25.4 / 72, m.captured(2).toDouble() * 25.4 / 72);
}

// The text of one page (from 1), as a viewer's "copy text" gives it.
inline QString pageText(const QString& file, int page)
{
    return QString::fromUtf8(tool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page),
                                                               QStringLiteral("-l"), QString::number(page),
                                                               QStringLiteral("-layout"), file, QStringLiteral("-")}));
}

// One page (from 1) at 254 dpi, 10 pixels per millimetre, without smoothing of lines.
inline QImage pageImage(const QString& file, int page)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    tool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                                      QStringLiteral("-aaVector"), QStringLiteral("no"), QStringLiteral("-f"),
                                      QString::number(page), QStringLiteral("-l"), QString::number(page),
                                      QStringLiteral("-singlefile"), file, base});
    return QImage(base + QStringLiteral(".png"));
}

// The object numbers of the pictures on every page, page by page.
inline QStringList pictureObjects(const QString& file)
{
    QStringList objects;
    const QStringList lines = QString::fromUtf8(tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file}))
                                  .split(QLatin1Char('\n'));
    for (const QString& line : lines.mid(2)) {
        const QStringList cols = line.simplified().split(QLatin1Char(' '));
        if (cols.size() > 10)
            objects << cols.at(10);
    }
    return objects;
}

} // namespace pdf
