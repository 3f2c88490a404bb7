#pragma once

#include <QObject>

class PreviewWidget;
class QScrollArea;
class QTabWidget;

// How large the previews show the sheets: at a zoom of both (1 is true size), or each
// fitted into the space it has. A preview larger than its space scrolls.
class PreviewZoom final : public QObject {
    Q_OBJECT
public:
    struct View {
        PreviewWidget* preview;
        QScrollArea* area;
    };
    // tabs: the main tabs, whose current page holds the preview zooming in and out starts from.
    PreviewZoom(const View& back, const View& front, QTabWidget* tabs, QObject* parent);

    void zoomIn();
    void zoomOut();
    void actualSize();
    void fit();
    bool fitting() const { return m_fitting; }

signals:
    void fittingChanged(bool fitting);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double current() const;
    void setZoom(double zoom);
    void setFitting(bool fitting);
    void fitViews();

    View m_views[2];
    QTabWidget* m_tabs;
    bool m_fitting = false;
};
