#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

namespace report {

class LayoutDesigner;

// The properties of the designer's selection (the first selected control;
// what several controls share is changed in all of them), or of the
// current section when nothing is selected.
class PropertyPanel : public QWidget {
    Q_OBJECT
public:
    explicit PropertyPanel(LayoutDesigner *designer);

    // Shows the selection's values again.
    void refresh();
    // From now on edits reach the designer no more (it is going away, and a
    // box losing the focus must not write into it).
    void detach()
    {
        m_filling = true;
        m_detached = true;
    }

    QLineEdit *nameEdit, *textEdit, *tagEdit, *formatEdit;
    QSpinBox *leftBox, *topBox, *widthBox, *heightBox;
    QComboBox *fontBox;
    QDoubleSpinBox *fontSizeBox;
    QCheckBox *boldBox, *italicBox, *underlineBox;
    QComboBox *alignBox, *valignBox;
    QCheckBox *wrapBox, *borderBox;
    QSpinBox *lineWidthBox;
    QPushButton *pictureButton;

    QLineEdit *sectionNameEdit;
    QComboBox *newPageBox;
    QSpinBox *sectionHeightBox;
    QPushButton *deleteSectionButton;

private:
    QWidget *buildControlPage();
    QWidget *buildSectionPage();
    void choosePicture();

    LayoutDesigner *m_designer;
    QStackedWidget *m_pages;
    QLabel *m_kindLabel;
    bool m_filling = false;
    bool m_detached = false;
};

} // namespace report
