#pragma once

#include <QStringList>

// caseleaf print COVER --side back|front [--printer NAME] [--copies N] [--no-calibration]
// Sends the pages to a print queue (the default one without --printer). Runs the command;
// problem receives a usage problem (the result is then 2).
int printCommand(const QStringList& args, QString& problem);
