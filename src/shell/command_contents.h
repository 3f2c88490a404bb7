#pragma once

#include <QString>
#include <QStringList>

// caseleaf contents FOLDER [--sizes] [--spacing 22|32|42]: the lines the contents
// dialog would put on the clipboard, one per line on standard output.
struct ContentsRequest {
    QString folder;
    bool sizes = false;
    int spacing = 42;
};

// The usage problem, or an empty text when the request is complete.
QString parseContents(const QStringList& args, ContentsRequest& request);
// 0 after printing the listing, 1 (with a message) when the folder cannot be read.
int listContents(const ContentsRequest& request);
