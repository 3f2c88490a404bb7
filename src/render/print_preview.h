#pragma once

#include "render/printing.h"

#include <QDialog>

#include <memory>

struct CoverDocument;
class QPageLayout;
class QPrinter;
class QPrintPreviewWidget;
class QSpinBox;
class QComboBox;

// File > Print preview...: the pages of a sheet as they will print on paper of the given
// layout, one per copy with the counter stepping from copy to copy, through Qt's print
// preview. The window closes accepted when "Print..." is clicked.
class PrintPreviewWindow final : public QDialog {
    Q_OBJECT
public:
    // copies: those last chosen for printing, 0 for none yet.
    PrintPreviewWindow(CoverDocument& doc, Sheet sheet, const QPageLayout& paper, int copies,
                       QWidget* owner = nullptr);
    ~PrintPreviewWindow() override;

    // The pages shown.
    int pageCount() const;

private:
    void paintPages(QPrinter* printer);
    void orientationChosen(int index);

    CoverDocument& m_doc;
    Sheet m_sheet;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget* m_view;
    QSpinBox* m_copies;
    QComboBox* m_orientation;
};
