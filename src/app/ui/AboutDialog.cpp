#include "ui/AboutDialog.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QUrl>

#include "support/DialogButtons.h"
#include "support/Commands.h"

namespace lingomat {

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QString::fromUtf8("Info über Lingomat"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("iconLabel"));
    icon->setPixmap(QPixmap(QStringLiteral("images/lingomat-32.png")));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* version = new QLabel(QStringLiteral("Lingomat Version " LINGOMAT_VERSION), this);
    version->setObjectName(QStringLiteral("versionLabel"));
    auto* description = new QLabel(
        QString::fromUtf8("Das Vokabelspiel für Englisch, Französisch und Spanisch."), this);
    description->setObjectName(QStringLiteral("descriptionLabel"));

    const QString address = QString::fromLatin1(kMakerWebAddress);
    auto* web = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address), this);
    web->setObjectName(QStringLiteral("webAddressLabel"));
    web->setTextFormat(Qt::RichText);
    web->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    // The dialog stays open; the browser opens beside it.
    connect(web, &QLabel::linkActivated, this,
            [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });

    QPushButton* ok = OkButton(*this);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(14);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(version, 0, 1);
    layout->addWidget(description, 1, 1);
    layout->addWidget(web, 2, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace lingomat
