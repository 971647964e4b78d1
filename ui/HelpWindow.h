#pragma once
#include "platform/HelpSystem.h"
#include <QWidget>

class IMessageBoxes;
class QPushButton;
class QTextBrowser;

// The help system of the desktop program: the help file (HTML) in a window of its own
// with Contents, Back and Forward. One window serves every command; it opens at the
// contents and is closed when the program ends.
class HelpWindow : public QWidget, public IHelpSystem {
    Q_OBJECT
public:
    explicit HelpWindow(IMessageBoxes& boxes, QWidget* parent = nullptr);

    void setHelpFile(const QString& path) override { helpFile_ = path; }
    QString helpFile() const override { return helpFile_; }
    bool Command(HelpCommand command, int argument) override;
    void Quit() override;

    QTextBrowser* browser() const { return browser_; }

private:
    bool showContents();

    IMessageBoxes& boxes_;
    QString helpFile_;
    QTextBrowser* browser_ = nullptr;
    QPushButton* contentsBtn_ = nullptr;
    QPushButton* backBtn_ = nullptr;
    QPushButton* forwardBtn_ = nullptr;
};
