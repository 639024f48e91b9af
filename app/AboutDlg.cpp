#include "app/AboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace varlo::ui {

const char* const CAboutDlg::kHomePage = "https://varlo.example.org/";

QString CAboutDlg::VersionText() {
    return QString::asprintf("Varlo v%d.%02d", kVersionMajor, kVersionMinor);
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Varlo"));
    setObjectName(QStringLiteral("About"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/varlo/varlo_48.png")));
    icon->setAlignment(Qt::AlignTop);

    auto* heading = new QLabel(QStringLiteral("ORVIK LUMA Configuration Management tools"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);

    // The version line replaces its placeholder when the dialog opens.
    auto* version = new QLabel(QStringLiteral("Version"), this);
    version->setObjectName(QStringLiteral("Version"));
    version->setFont(QApplication::font());
    version->setText(VersionText());

    auto* link = new QLabel(this);
    link->setObjectName(QStringLiteral("HomePage"));
    link->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(kHomePage)));
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(true);

    auto* line = new QLabel(
        QStringLiteral("Finds serial servers and Art-Net DMX nodes on the local network and "
                       "configures them."),
        this);
    line->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(version);
    texts->addSpacing(6);
    texts->addWidget(link);
    texts->addWidget(line);
    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(8);
    body->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedWidth(400);
}

}  // namespace varlo::ui
