#pragma once

#include <QWidget>

class QFrame;
class QLabel;

// A display-only caption: a frame (Picture1) holding a label (Label1).
// No input, no signals.
class ucCaptionLabel : public QWidget {
    Q_OBJECT
public:
    QString Caption() const;
    void setCaption(const QString &caption);

    QFrame *Picture1() const { return m_picture; }
    QLabel *Label1() const { return m_label; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    // Twips. The frame and the label are as wide as the control less their
    // shortfall; heights and places stay when the control is resized.
    struct Geometry {
        int pictureHeight, pictureShortfall;
        int labelLeft, labelTop, labelHeight, labelShortfall;
    };
    ucCaptionLabel(const Geometry &geometry, QWidget *parent);

    void resizeEvent(QResizeEvent *event) override;

private:
    QFrame *m_picture;
    QLabel *m_label;
    Geometry m_geometry;
};
