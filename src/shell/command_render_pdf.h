#pragma once

#include <QStringList>

// caseleaf render COVER --side back|front --out FILE.pdf [--copies N] [--paper A4|Letter]

// True when the render arguments name a PDF output file.
bool rendersPdf(const QStringList& args);
// Runs the command; problem receives a usage problem (the result is then 2).
int renderPdfCommand(const QStringList& args, QString& problem);
