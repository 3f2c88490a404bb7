// Build tool: turns the readable credits into the enciphered help/abouttext.txt.
// Usage: caseleaf_encipher <credits.txt> <abouttext.txt>
// Each line of the UTF-8 source becomes one line of the about box's credits.

#include "shell/about_text.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <credits.txt> <abouttext.txt>\n", argv[0]);
        return 2;
    }
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    QStringList lines = QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();

    QSaveFile target(QString::fromLocal8Bit(argv[2]));
    if (!target.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    target.write(encipherAboutText(QLatin1Char('|') + lines.join(QLatin1Char('|'))));
    if (!target.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
