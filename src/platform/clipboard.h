#pragma once

#include <QString>

// The desktop's clipboard, plain text only.
void SetClipboardText(const QString& text);
QString ClipboardText();
