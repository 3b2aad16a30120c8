#include "core/dialogs/frmVersion.h"

#include "core/ProgramVersion.h"
#include "core/WindowMemory.h"
#include "platform/ui/DialogFrame.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

frmVersion::frmVersion(QWidget *parent)
    : QDialog(parent), lblVersion(new QLabel(this)), cmdOK(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmVersion"));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    setWindowTitle(QStringLiteral("バージョン情報"));

    // Enter and Esc both land on OK: it is the default button, and Esc
    // closes the dialog the same way.
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    auto *product = new QLabel(QStringLiteral("Quorvex5"), frame);
    QFont big = product->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    product->setFont(big);
    auto *picture = new QLabel(frame);
    picture->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));

    auto *title = new QHBoxLayout;
    title->addWidget(picture);
    auto *names = new QVBoxLayout;
    names->addWidget(product);
    names->addWidget(lblVersion);
    title->addLayout(names);
    title->addStretch();

    auto *inside = new QVBoxLayout(frame);
    inside->addLayout(title);
    inside->addWidget(new QLabel(QStringLiteral("販売管理システム"), frame));
    inside->addWidget(new QLabel(QStringLiteral("このプログラムは著作権法により保護されています。"), frame));
    inside->addWidget(new QLabel(QStringLiteral("This program is protected by copyright law."), frame));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
    ui::setDialogFrame(this, ui::DialogFrame::Fixed);
}

QString frmVersion::VersionText(int major, int minor, int revision)
{
    return QStringLiteral("V %1.%2.%3").arg(major).arg(minor).arg(revision);
}

void frmVersion::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    CenterForm(this);
    lblVersion->setText(VersionText(ProgramVersion::Major, ProgramVersion::Minor, ProgramVersion::Revision));
    cmdOK->setVisible(!bSplash);
    if (!bSplash)
        cmdOK->setFocus(Qt::OtherFocusReason);
}
