// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutDialog.h"

#include "ui/ProgramInfo.h"
#include "ui/UserPrompts.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ktv4::ui {

AboutDialog::AboutDialog(UserPrompts &prompts, QWidget *parent) : QDialog(parent), m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About Orvane Clone Utility"));
    setModal(true);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(programIcon().pixmap(64, 64));

    auto *title = new QLabel(programTitle(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    auto *version = new QLabel(programVersionText(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *description = new QLabel(programDescription(), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    auto *disclaimer = new QLabel(programLicence(), this);
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimer->setWordWrap(true);

    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *sysInfo = new QPushButton(tr("ｼｽﾃﾑ情報(&S)..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfo->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(sysInfo, &QPushButton::clicked, this, &AboutDialog::startSysInfo);

    auto *texts = new QVBoxLayout;
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(description);
    texts->addStretch(1);

    auto *top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    setFixedSize(sizeHint());
}

void AboutDialog::startSysInfo()
{
    MessageRequest request;
    request.icon = QMessageBox::NoIcon;
    request.title = programTitle();
    request.text = QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません");
    request.buttons = QMessageBox::Ok;
    request.defaultButton = QMessageBox::Ok;
    m_prompts.message(this, request);
}

} // namespace ktv4::ui
