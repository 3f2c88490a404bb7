#include "platform/cover_open_dialog.h"

#include "document/cover_archive.h"
#include "document/pictures.h"
#include "platform/dialogs.h"
#include "shell/app_state.h"
#include "shell/language.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

CoverOpenDialog::CoverOpenDialog(const FileDialogRequest& request, QWidget* parent)
    : QFileDialog(parent, request.title.isEmpty() ? app::title() : request.title, request.folder, request.filter)
    , m_picture(new QLabel)
{
    setObjectName(QStringLiteral("CoverOpenDialog"));
    // Qt's own dialog, so that the preview area can sit inside it.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);

    auto* area = new QWidget;
    area->setObjectName(QStringLiteral("PreviewArea"));
    auto* column = new QVBoxLayout(area);
    auto* caption = new QLabel(QStringLiteral("Preview:"));
    caption->setObjectName(QStringLiteral("PreviewCaption"));
    m_picture->setObjectName(QStringLiteral("PreviewPicture"));
    m_picture->setFixedSize(kPreviewBoxWidth, kPreviewBoxHeight);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_picture->setAlignment(Qt::AlignCenter);
    column->addWidget(caption);
    column->addWidget(m_picture);
    column->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(area, 0, grid->columnCount(), grid->rowCount(), 1);

    SetDialogPreviewNotAvailable();
    connect(this, &QFileDialog::currentChanged, this, &CoverOpenDialog::showPreviewOf);
}

QString CoverOpenDialog::choose(const FileDialogRequest& request, QWidget* parent)
{
    CoverOpenDialog dialog(request, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first().trimmed();
}

void CoverOpenDialog::showPreviewOf(const QString& path)
{
    if (!isCoverFileName(path))
        return;
    const QImage preview = coverArchivePreview(path);
    QCoreApplication::processEvents();
    if (preview.isNull())
        SetDialogPreviewNotAvailable();
    else
        m_picture->setPixmap(QPixmap::fromImage(preview));
}

void CoverOpenDialog::SetDialogPreviewNotAvailable()
{
    QPixmap blank(m_picture->size());
    blank.fill(m_picture->palette().color(QPalette::Window));
    QPainter p(&blank);
    p.setFont(m_picture->font());
    p.setPen(m_picture->palette().color(QPalette::WindowText));
    const QString text = Lang(LangSection::Messages, 58);
    const QFontMetrics metrics(m_picture->font());
    const int x = blank.width() / 2 - metrics.horizontalAdvance(text) / 2;
    const int y = blank.height() / 2 - metrics.height() / 2;
    p.drawText(x, y + metrics.ascent(), text);
    p.end();
    m_picture->setPixmap(blank);
}
