#pragma once

#include <QFileDialog>

class QLabel;
struct FileDialogRequest;

// The open dialog of the cover archives: Qt's own file dialog with a "Preview:" area
// beside it that shows the preview bitmap of the selected archive.
class CoverOpenDialog final : public QFileDialog {
    Q_OBJECT
public:
    CoverOpenDialog(const FileDialogRequest& request, QWidget* parent = nullptr);

    // Asks for a cover archive; the chosen path, or an empty text when cancelled.
    static QString choose(const FileDialogRequest& request, QWidget* parent);

    // Shows the preview bitmap of the cover archive at path; other files leave the
    // preview as it is.
    void showPreviewOf(const QString& path);
    // Clears the preview picture and writes "Preview not available" in its middle.
    void SetDialogPreviewNotAvailable();

private:
    QLabel* m_picture;
};
