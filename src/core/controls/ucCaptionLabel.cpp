#include "core/controls/ucCaptionLabel.h"

#include "platform/ui/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QResizeEvent>

ucCaptionLabel::ucCaptionLabel(const Geometry &geometry, QWidget *parent)
    : QWidget(parent), m_picture(new QFrame(this)), m_label(new QLabel(m_picture)),
      m_geometry(geometry)
{
    m_picture->setObjectName(QStringLiteral("Picture1"));
    m_label->setObjectName(QStringLiteral("Label1"));
    m_picture->setAutoFillBackground(true);
    m_picture->setFrameShape(QFrame::NoFrame);
    m_picture->move(0, 0);
    m_picture->resize(0, ui::twipsToPixelsY(geometry.pictureHeight, this));
    m_label->setGeometry(ui::twipsToPixelsX(geometry.labelLeft, this),
                         ui::twipsToPixelsY(geometry.labelTop, this), 0,
                         ui::twipsToPixelsY(geometry.labelHeight, this));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setFixedHeight(m_picture->height());
}

QString ucCaptionLabel::Caption() const
{
    return m_label->text();
}

void ucCaptionLabel::setCaption(const QString &caption)
{
    m_label->setText(caption);
}

QSize ucCaptionLabel::sizeHint() const
{
    return {m_label->sizeHint().width() + ui::twipsToPixelsX(m_geometry.labelLeft + m_geometry.labelShortfall, this),
            height()};
}

QSize ucCaptionLabel::minimumSizeHint() const
{
    return {0, height()};
}

void ucCaptionLabel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int width = event->size().width();
    m_picture->resize(qMax(0, width - ui::twipsToPixelsX(m_geometry.pictureShortfall, this)),
                      m_picture->height());
    m_label->resize(qMax(0, width - ui::twipsToPixelsX(m_geometry.labelShortfall, this)),
                    m_label->height());
}
