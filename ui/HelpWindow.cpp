#include "ui/HelpWindow.h"
#include "platform/MessageBoxes.h"
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow(IMessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , boxes_(boxes)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Tarnwick Help"));
    resize(660, 540);
    // Escape closes the help as it closes a dialog.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* bar = new QHBoxLayout;
    contentsBtn_ = new QPushButton(QStringLiteral("&Contents"), this);
    contentsBtn_->setObjectName(QStringLiteral("HelpContentsBtn"));
    backBtn_ = new QPushButton(QStringLiteral("&Back"), this);
    backBtn_->setObjectName(QStringLiteral("HelpBackBtn"));
    forwardBtn_ = new QPushButton(QStringLiteral("&Forward"), this);
    forwardBtn_->setObjectName(QStringLiteral("HelpForwardBtn"));
    auto* closeBtn = new QPushButton(QStringLiteral("C&lose"), this);
    closeBtn->setObjectName(QStringLiteral("HelpCloseBtn"));
    bar->addWidget(contentsBtn_);
    bar->addWidget(backBtn_);
    bar->addWidget(forwardBtn_);
    bar->addStretch(1);
    bar->addWidget(closeBtn);
    layout->addLayout(bar);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    layout->addWidget(browser_, 1);

    backBtn_->setEnabled(false);
    forwardBtn_->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, backBtn_, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardBtn_, &QPushButton::setEnabled);
    connect(backBtn_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardBtn_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contentsBtn_, &QPushButton::clicked, this, [this] { showContents(); });
    connect(closeBtn, &QPushButton::clicked, this, &QWidget::close);
}

bool HelpWindow::Command(HelpCommand, int)
{
    // Both commands the program sends ask for the contents.
    return showContents();
}

bool HelpWindow::showContents()
{
    if (helpFile_.isEmpty() || !QFileInfo(helpFile_).isFile()) {
        boxes_.Show(MessageKind::Error,
                    QStringLiteral("The help file could not be found:\r\r") + helpFile_, MbOk);
        return false;
    }
    const QUrl contents = QUrl::fromLocalFile(QFileInfo(helpFile_).absoluteFilePath());
    if (browser_->source().adjusted(QUrl::RemoveFragment) != contents)
        browser_->setSource(contents, QTextDocument::HtmlResource);
    else
        browser_->scrollToAnchor(QStringLiteral("contents"));
    if (!isVisible()) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
    return true;
}

void HelpWindow::Quit()
{
    close();
}
