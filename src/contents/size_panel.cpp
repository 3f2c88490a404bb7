#include "contents/size_panel.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QColor kPanelColor(156, 142, 123);
// The drawing positions are given in twips, 15 to a pixel.
constexpr int kTwipsPerPixel = 15;

} // namespace

class SizePanel::Drawing final : public QWidget {
public:
    explicit Drawing(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("sizeDrawing"));
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, kPanelColor);
        setPalette(p);
        setMinimumHeight(60);
    }

    QString title;
    QString folderPrefix;
    QString folder;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(Qt::white);
        QFont big = font();
        big.setPointSizeF(18);
        painter.setFont(big);
        const QFontMetrics bigMetrics(big);
        int y = 30 / kTwipsPerPixel;
        const int titleX = width() / 2 - bigMetrics.horizontalAdvance(title) / 2;
        painter.drawText(titleX, y + bigMetrics.ascent(), title);
        y += bigMetrics.height() + 30 / kTwipsPerPixel;

        QFont small = font();
        small.setPointSizeF(8);
        painter.setFont(small);
        const QFontMetrics smallMetrics(small);
        const int x = 15 / kTwipsPerPixel;
        // A deep path keeps its start and its end.
        const QString line = smallMetrics.elidedText(folderPrefix + folder, Qt::ElideMiddle, width() - 2 * x);
        painter.drawText(x, y + smallMetrics.ascent(), line);
    }
};

SizePanel::SizePanel(QWidget* dialog) : QWidget(dialog), m_drawing(new Drawing(this)), m_stop(new QPushButton(this))
{
    setObjectName(QStringLiteral("sizePanel"));
    m_stop->setObjectName(QStringLiteral("stop"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, kPanelColor);
    setPalette(p);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_drawing, 1);
    layout->addWidget(m_stop, 0, Qt::AlignHCenter);
    // The panel covers the whole dialog, whatever its size.
    dialog->installEventFilter(this);
    setGeometry(dialog->rect());
    hide();
}

void SizePanel::setCaptions(const QString& title, const QString& folderPrefix, const QString& stop)
{
    m_drawing->title = title;
    m_drawing->folderPrefix = folderPrefix;
    m_stop->setText(stop);
}

void SizePanel::PrintDisplay(const QString& folder)
{
    m_drawing->folder = folder;
    m_drawing->update();
}

bool SizePanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
