// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SplashWindow.h"

#include "ui/ProgramInfo.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace ktv4::ui {

SplashWindow::SplashWindow(QWidget *parent) : QFrame(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setFrameStyle(QFrame::Box | QFrame::Raised);
    setLineWidth(2);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(96, 96));

    auto *title = new QLabel(programTitle(), this);
    title->setObjectName(QStringLiteral("lblProductName"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);

    auto *version = new QLabel(programVersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *description = new QLabel(programDescription(), this);
    description->setObjectName(QStringLiteral("lblDescription"));

    auto *texts = new QVBoxLayout;
    texts->addStretch(1);
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(12);
    texts->addWidget(description);
    texts->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(20);
    layout->addWidget(icon, 0, Qt::AlignVCenter);
    layout->addLayout(texts);
}

} // namespace ktv4::ui
